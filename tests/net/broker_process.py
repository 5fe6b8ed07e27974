"""A broker of the test's own: Debian's mosquitto on a free port of
127.0.0.1, from a configuration of two lines written here, stopped by its
process id."""

import os
import signal
import socket
import subprocess
import tempfile

from driver_process import wait_for_listener

SECONDS = 10


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class BrokerProcess:
    def __init__(self, program):
        self.program = program
        self.port = free_port()
        self.folder = tempfile.TemporaryDirectory()
        self.config = os.path.join(self.folder.name, "broker.conf")
        with open(self.config, "w", encoding="ascii") as config:
            config.write(f"listener {self.port} 127.0.0.1\nallow_anonymous true\n")
        self.process = None
        self.start()

    def start(self):
        """Returns once the broker takes connections."""
        self.process = subprocess.Popen([self.program, "-c", self.config],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not wait_for_listener(self.port, SECONDS):
            raise RuntimeError("the broker did not start")

    def __enter__(self):
        return self

    def __exit__(self, *_):
        if self.process.poll() is None:
            os.kill(self.process.pid, signal.SIGTERM)
            self.process.wait()
        self.folder.cleanup()
