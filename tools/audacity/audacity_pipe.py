"""One session on Audacity's scripting pipe (mod-script-pipe), every wait bounded.

The module's server thread opens /tmp/audacity_script_pipe.to.<uid> for reading, then
.from.<uid> for writing, and serves lines until the writer closes; it then deletes and
recreates both, so a client that reconnects per command races it. A session therefore keeps
both ends open. Each command is one line; each reply is lines ended by an empty line. Until
the first project window is up the server answers every command with the empty line alone.
"""
import os
import select
import signal
import time

PIPE_DIR = "/tmp"
# What follows a first empty line of a reply comes at once; nothing means no project yet.
LONE_EMPTY_SECONDS = 2


class PipeError(RuntimeError):
    pass


class ReplyTimeout(PipeError):
    pass


def pipe_paths():
    uid = os.getuid()
    return (f"{PIPE_DIR}/audacity_script_pipe.to.{uid}",
            f"{PIPE_DIR}/audacity_script_pipe.from.{uid}")


class _Deadline:
    """Raises PipeError when a blocking open outlasts the given seconds."""

    def __init__(self, seconds, what):
        self.seconds, self.what = seconds, what

    def _expired(self, *_):
        raise PipeError(f"timed out after {self.seconds} s {self.what}")

    def __enter__(self):
        signal.signal(signal.SIGALRM, self._expired)
        signal.alarm(self.seconds)

    def __exit__(self, *_):
        signal.alarm(0)


class Session:
    def __init__(self, is_alive, connect_seconds=120):
        """is_alive() tells whether Audacity still runs; waits end early when it does not."""
        self.is_alive = is_alive
        to_path, from_path = pipe_paths()
        deadline = time.monotonic() + connect_seconds
        while not (os.path.exists(to_path) and os.path.exists(from_path)):
            if not is_alive():
                raise PipeError("Audacity quit before it opened the scripting pipe")
            if time.monotonic() > deadline:
                raise PipeError(f"no scripting pipe after {connect_seconds} s "
                                "(is mod-script-pipe enabled in audacity.cfg?)")
            time.sleep(0.2)
        with _Deadline(30, "opening the scripting pipe"):
            self.to = open(to_path, "w", encoding="utf-8")
            self.frm = os.open(from_path, os.O_RDONLY)
        self.pending = b""

    def _read_line(self, deadline, command):
        while b"\n" not in self.pending:
            left = deadline - time.monotonic()
            if left <= 0:
                raise ReplyTimeout(f"no reply to {command!r} in time (Audacity hangs?)")
            ready, _, _ = select.select([self.frm], [], [], min(left, 1.0))
            if not ready:
                if not self.is_alive():
                    raise PipeError(f"Audacity went away during {command!r}")
                continue
            chunk = os.read(self.frm, 65536)
            if not chunk:
                raise PipeError(f"the pipe closed during {command!r}: Audacity went away")
            self.pending += chunk
        line, self.pending = self.pending.split(b"\n", 1)
        return line.decode("utf-8", "replace")

    def send(self, command, seconds=60):
        """Returns the reply's lines, up to the "BatchCommand finished" line (kept)."""
        self.to.write(command + "\n")
        self.to.flush()
        return self._reply(command, time.monotonic() + seconds)

    def _reply(self, command, deadline, lines=None):
        # A reply may hold empty lines of its own (a first one, JSON listings): it ends at
        # the empty line after the "BatchCommand finished" line.
        lines = lines or []
        while True:
            line = self._read_line(deadline, command)
            if line == "" and lines and lines[-1].startswith("BatchCommand finished"):
                return lines
            lines.append(line)

    def wait_for_project(self, seconds=120):
        """Until a project window is up, a command's whole reply is one empty line."""
        deadline = time.monotonic() + seconds
        command = "Message: Text=ready"
        while time.monotonic() < deadline:
            self.to.write(command + "\n")
            self.to.flush()
            first = self._read_line(deadline, command)
            try:
                self._reply(command, time.monotonic() + LONE_EMPTY_SECONDS, [first])
                return
            except ReplyTimeout:
                time.sleep(0.5)
        raise PipeError(f"no project window after {seconds} s (a start-up dialog open?)")

    def close(self):
        self.to.close()
        os.close(self.frm)


def succeeded(reply):
    return bool(reply) and reply[-1] == "BatchCommand finished: OK"
