# Two set-up commands: `make demo` (build both, run audio through the plug-in) and
# `make test` (build both, run every test natively, under Wine and the fuzz smoke runs).
JOBS ?= 8
BUILD := build
NATIVE := $(BUILD)/native
WINDOWS := $(BUILD)/windows
FUZZ := $(BUILD)/fuzz
RELEASE := $(BUILD)/release
TSAN := $(BUILD)/tsan
WINE_PREFIX := $(CURDIR)/$(WINDOWS)/wineprefix

.PHONY: setup native windows fuzz tsan bench wine-prefix test demo clean

setup:
	bash tools/setup.sh

native: setup
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DZV_SANITIZE=ON "-DZV_SIBLING_TEST_DIRS=windows;fuzz;tsan" >/dev/null
	cmake --build $(NATIVE) -j$(JOBS)

windows: setup
	cmake -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	cmake --build $(WINDOWS) -j$(JOBS)

fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZV_FUZZ=ON >/dev/null
	cmake --build $(FUZZ) -j$(JOBS)

# Only the thread tests, under ThreadSanitizer.
tsan: setup
	cmake -S . -B $(TSAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZV_TSAN=ON >/dev/null
	cmake --build $(TSAN) -j$(JOBS)

bench: setup
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DZV_BENCH=ON >/dev/null
	cmake --build $(RELEASE) -j$(JOBS)

# Creating a Wine prefix takes a while; do it once, before tests run in parallel.
wine-prefix: windows
	@[ -f $(WINE_PREFIX)/system.reg ] || (WINEPREFIX=$(WINE_PREFIX) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
	  /usr/lib/wine/wine64 wineboot --init && WINEPREFIX=$(WINE_PREFIX) /usr/lib/wine/wineserver -w)

# One persistent wineserver for the whole run: Wine programs started side by side otherwise race
# to start and stop their own server, and some of them hang on exit.
WINESERVER := WINEPREFIX=$(WINE_PREFIX) /usr/lib/wine/wineserver

# Every test has a time limit of its own (cmake/ZvTesting.cmake); --timeout only bounds one added
# without.
test: native windows fuzz tsan wine-prefix
	$(WINESERVER) -p
	xvfb-run -a ctest --test-dir $(NATIVE) -j$(JOBS) --output-on-failure --timeout 600; \
	  status=$$?; $(WINESERVER) -k; exit $$status

demo: native windows wine-prefix
	bash tools/demo.sh

clean:
	rm -rf $(NATIVE) $(WINDOWS) $(FUZZ) $(TSAN) $(RELEASE)
