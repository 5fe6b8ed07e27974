"""corvenne-replay as a test drives it: a script on its standard input, its
lines read as they come, every wait bounded."""

import contextlib
import os
import queue
import socket
import subprocess
import threading
import time


class DriverProcess:
    def __init__(self, driver, script, folder):
        self.process = subprocess.Popen(
            [driver], stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
            cwd=folder, env=self.environment(), text=True)
        self.output = []
        self.errors = []
        self._arrived = queue.Queue()
        threading.Thread(target=self._read, args=(self.process.stdout, self._arrived.put), daemon=True).start()
        threading.Thread(target=self._read, args=(self.process.stderr, self.errors.append), daemon=True).start()
        # The script goes in whole; standard input stays open until finish().
        self.process.stdin.write(script)
        self.process.stdin.flush()

    def send(self, script):
        """More of the script, while the driver runs."""
        self.process.stdin.write(script)
        self.process.stdin.flush()

    @staticmethod
    def environment():
        return dict(os.environ, QT_QPA_PLATFORM="offscreen")

    @staticmethod
    def _read(stream, keep):
        for line in stream:
            keep(line.rstrip("\n"))

    def read_until(self, enough, seconds):
        """Takes lines until enough(lines so far) holds; False when the time runs out first."""
        deadline = time.monotonic() + seconds
        while not enough(self.output):
            try:
                self.output.append(self._arrived.get(timeout=max(0.0, deadline - time.monotonic())))
            except queue.Empty:
                return False
        return True

    def finish(self, seconds):
        """Ends the script and waits for the driver to exit: its status, or None when it did not."""
        self.process.stdin.close()
        try:
            status = self.process.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            self.kill()
            return None
        self.read_until(lambda lines: self._arrived.empty(), 1)
        return status

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()


class DelayingProxy:
    """On loopback, holds each connection's bytes of its first `for_seconds`
    `delay` seconds each way; cut() ends every connection without a word."""

    def __init__(self, target_port, delay, for_seconds):
        self.listener = socket.create_server(("127.0.0.1", 0))
        self.port = self.listener.getsockname()[1]
        self.target_port, self.delay, self.for_seconds = target_port, delay, for_seconds
        self.sockets, self.opened = [], 0
        threading.Thread(target=self._accept, daemon=True).start()

    def _accept(self):
        while True:
            inside = self.listener.accept()[0]
            try:
                outside = socket.create_connection(("127.0.0.1", self.target_port))
            except OSError:
                # Nothing listens there yet: the connection ends as a direct one would.
                inside.close()
                continue
            self.sockets += [inside, outside]
            self.opened += 1
            for source, sink in ((inside, outside), (outside, inside)):
                held = queue.Queue()
                threading.Thread(target=self._read, args=(source, held, time.monotonic()), daemon=True).start()
                threading.Thread(target=self._write, args=(sink, held), daemon=True).start()

    def _read(self, source, held, opened):
        data = b"-"
        while data:
            with contextlib.suppress(OSError):
                data = b""
                data = source.recv(65536)
            now = time.monotonic()
            held.put((now + self.delay if now - opened < self.for_seconds else now, data))

    def _write(self, sink, held):
        with contextlib.suppress(OSError):
            while True:
                due, data = held.get()
                time.sleep(max(0.0, due - time.monotonic()))
                sink.sendall(data) if data else sink.shutdown(socket.SHUT_WR)

    def cut(self):
        for end in self.sockets:
            with contextlib.suppress(OSError):
                end.shutdown(socket.SHUT_RDWR)
        self.sockets = []


def wait_for_listener(port, seconds):
    """Whether something listens on 127.0.0.1:port within the time, as the
    kernel tells (no connection is made, so the host's seat stays free)."""
    wanted = f"0100007F:{port:04X}"
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        with open("/proc/net/tcp", encoding="ascii") as table:
            for row in table.readlines()[1:]:
                fields = row.split()
                if fields[1] == wanted and fields[3] == "0A":
                    return True
        time.sleep(0.02)
    return False


def states(lines):
    """The state lines without their time."""
    return ["{" + line.split(",", 1)[1] for line in lines if line.startswith('{"t":')]


def other_lines(lines):
    return [line for line in lines if not line.startswith('{"t":')]
