"""Opens and closes an effect's dialog through the keyboard (xdotool): no scripting command
opens one. With effects sorted by name ([Effects] GroupBy=sortby:name), the plug-in is the
last entry of the Effect menu's last submenu."""
import shutil
import subprocess
import time

OPEN_KEYS = ["alt+c", "End", "Return", "End", "Return"]
KEY_PAUSE = 0.5
POLL = 0.2


def available():
    return shutil.which("xdotool") is not None


def window_names():
    ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                         capture_output=True, text=True, timeout=10).stdout.split()
    names = []
    for window in ids:
        names.append(subprocess.run(["xdotool", "getwindowname", window],
                                    capture_output=True, text=True, timeout=10).stdout.strip())
    return names


def _wait(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            raise TimeoutError(f"{what} within {seconds} s (open windows: {window_names()})")
        time.sleep(POLL)


def cycle(title, seconds=20):
    """Opens the dialog titled title and closes it with Escape."""
    for key in OPEN_KEYS:
        subprocess.run(["xdotool", "key", key], timeout=10)
        time.sleep(KEY_PAUSE)
    _wait(lambda: title in window_names(), seconds, f"no dialog {title!r}")
    subprocess.run(["xdotool", "key", "Escape"], timeout=10)
    _wait(lambda: title not in window_names(), seconds, f"dialog {title!r} still open")
