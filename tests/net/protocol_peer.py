#!/usr/bin/env python3
"""A peer written from the wire protocol's text alone, playing each role
against a Corvenne driver on loopback: the opening, numbered inputs and
checks, refusals, a guest who joins again and gets the match so far, a
second guest and another version turned away, watchers (a 33rd turned
away, one that stops reading), pings, the aims' limit,
malformed lines, tables out of step and the sync; a seat taken back over a
half-open connection, an opening answered while the host's player is idle,
and connections that never say a word, from one address while a guest comes
from another.

usage: protocol_peer.py DRIVER TABLE_PICTURE_FOLDER"""

import re
import socket
import subprocess
import sys
import threading
import time

from driver_process import DriverProcess, wait_for_listener

SECONDS = 30
TOKEN = "seat [0-9a-f]{16}"


class Failed(Exception):
    pass


class Peer:
    """One connection: lines out, lines in, every read bounded."""

    def __init__(self, connection):
        self.connection = connection
        self.connection.settimeout(SECONDS)
        self.pending = b""

    @classmethod
    def connect(cls, port, source="127.0.0.1"):
        return cls(socket.create_connection(("127.0.0.1", port), timeout=SECONDS, source_address=(source, 0)))

    def send(self, *lines):
        self.connection.sendall("".join(line + "\n" for line in lines).encode())

    def line(self):
        """The next line, or None when the connection has closed."""
        while b"\n" not in self.pending:
            try:
                data = self.connection.recv(4096)
            except ConnectionResetError:
                return None
            if not data:
                return None
            self.pending += data
        line, self.pending = self.pending.split(b"\n", 1)
        return line.decode()

    def expect(self, pattern):
        line = self.line()
        if line is None or not re.fullmatch(pattern, line):
            raise Failed(f"expected {pattern!r}, got {line!r}")
        return line

    def skip_until(self, pattern):
        """Lines up to the one that matches; pings, aims and checks may come between."""
        while True:
            line = self.line()
            if line is None:
                raise Failed(f"closed before {pattern!r}")
            if re.fullmatch(pattern, line):
                return line

    def collect(self, *patterns):
        """Lines until each pattern has matched one, in whatever order they come."""
        found = {}
        while len(found) < len(patterns):
            line = self.line()
            if line is None:
                raise Failed(f"closed before {[p for p in patterns if p not in found]}")
            found.update({p: line for p in patterns if p not in found and re.fullmatch(p, line)})
        return found

    def expect_bye(self, reason):
        self.skip_until(f"bye {reason}")
        if self.line() is not None:
            raise Failed(f"still open after bye {reason}")

    def close(self):
        self.connection.close()


def check_reply(peer, number):
    """Takes the host's check of input `number` and answers with the same hash."""
    check = peer.skip_until(f"check {number} [0-9a-f]{{16}}")
    peer.send(check)
    return check


def start_host(driver, folder, script):
    """A driver hosting as Anna on a free port, then running `script`: the port and the driver."""
    port = free_port()
    host = DriverProcess(driver, f"host {port} Anna\n{script}", folder)
    if not wait_for_listener(port, SECONDS):
        host.kill()
        raise Failed("the host never listened")
    return port, host


def as_guest(driver, folder):
    """The peer joins a hosting driver."""
    port, host = start_host(driver, folder, "shot 407 196\nshot 602 176\nawait\nawait\nawait\n")
    try:
        peer = Peer.connect(port)
        peer.send("hello 1 Peer")
        peer.expect("welcome 1 Anna")
        peer.expect(TOKEN)
        peer.expect("score 0 0")
        praise = peer.expect(r"match (0|[1-9][0-9]*)")
        peer.expect("ready 0")
        peer.expect("1 shot 407 196")
        check_reply(peer, 1)
        # Player 1 keeps the table after the break, then leaves the cue ball
        # off it: a shot from player 2 is refused either way.
        peer.send("shot 100 100")
        second_check = peer.collect("refused shot", "2 shot 602 176", r"check 2 [0-9a-f]{16}")
        peer.send(second_check[r"check 2 [0-9a-f]{16}"])
        peer.send("place 230 191")
        peer.skip_until("3 place 230 191")
        third = check_reply(peer, 3)
        peer.send("shot  1 2")
        peer.expect_bye("malformed")

        # The seat is free again: a guest joins and gets the match so far, with its numbers.
        again = Peer.connect(port)
        again.send("hello 1 Peer")
        again.expect("welcome 1 Anna")
        again.expect(TOKEN)
        again.expect("score 0 0")
        again.expect(praise)
        for line in ("1 shot 407 196", "2 shot 602 176", "3 place 230 191", "ready 3", third):
            again.expect(re.escape(line))
        for hello, reason in (("hello 1 Other", "busy"), ("hello 2 Future", "version")):
            turned_away = Peer.connect(port)
            turned_away.send(hello)
            turned_away.expect_bye(reason)
        watchers(port, praise, third, again)
        # Five seconds with nothing to say: the host pings.
        started = time.monotonic()
        again.expect("ping")
        if time.monotonic() - started < 4.5:
            raise Failed("pinged too early")
        # Thirty aims a second at most.
        again.send(*["aim 200 200"] * 31)
        again.expect_bye("malformed")
        host.read_until(lambda lines: len(lines) >= 2, SECONDS)
        if host.output[:2] != ['{"remote":"place 230 191","n":3}', '{"remote":"shot 242 229","n":4}']:
            raise Failed(f"the host printed {host.output}")
    finally:
        host.kill()


def watchers(port, praise, last_check, guest):
    """Watchers get the match as a guest does; what they send changes nothing."""
    seated = []
    for _ in range(32):
        watcher = Peer.connect(port)
        watcher.send("watch 1 Cleo")
        for line in ("welcome 1 Anna", "guest Peer", "score 0 0", praise, "1 shot 407 196", "2 shot 602 176",
                     "3 place 230 191", "ready 3", last_check):
            watcher.expect(re.escape(line))
        seated.append(watcher)
    full = Peer.connect(port)
    full.send("watch 1 Eve")
    full.expect_bye("full")
    # One that asks for the table again and again and reads nothing is dropped.
    deaf = seated[1]
    deaf.connection.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
    deadline = time.monotonic() + SECONDS
    try:
        while time.monotonic() < deadline:
            deaf.send(*["sync?"] * 100)
        raise Failed("a watcher that reads nothing was kept")
    except OSError:
        pass
    # Meanwhile the match goes on, and those who read see it.
    guest.send("shot 242 229")
    guest.skip_until("4 shot 242 229")
    seated[2].skip_until("4 shot 242 229")
    check_reply(guest, 4)


def join(port, opening, source="127.0.0.1"):
    """A guest that opens and reads its welcome and token: the connection and the token."""
    peer = Peer.connect(port, source)
    peer.send(opening)
    peer.expect("welcome 1 Anna")
    return peer, peer.expect(TOKEN).split()[1]


def idle_peer(port, stop, connections):
    """Connects and says nothing, again as soon as it is dropped, until stopped."""
    while not stop.is_set():
        peer = Peer.connect(port)
        connections.append(peer.line())
        peer.close()


def openings(driver, folder):
    """Openings against a hosting driver whose player is idle, waiting for its next command."""
    port, host = start_host(driver, folder, "")
    try:
        first, token = join(port, "hello 1 Bo")
        first.skip_until("ready 0")
        host.send("shot 202 142\n")
        first.skip_until("1 shot 202 142")
        check_reply(first, 1)

        # The first connection died unheard: the token takes the seat back at once.
        second, same_token = join(port, f"again 1 {token} Bo")
        first.expect_bye("replaced")
        if same_token == token:
            raise Failed("the seat's token stayed the same when it was taken back")
        second.skip_until("ready 1")
        second.skip_until(r"check 1 [0-9a-f]{16}")

        # The guest leaves and a new one comes at once; the host's player is
        # idle, then plays its own shot: the new guest is answered all the same.
        second.send("bye leaving")
        second.close()
        third = Peer.connect(port)
        third.send("hello 1 Bob")
        host.send("shot 300 200\n")
        third.expect("welcome 1 Anna")
        if third.expect(TOKEN).split()[1] == token:
            raise Failed("a guest that left kept its token")
        third.skip_until("ready 1")

        # Connections that never speak are dropped; one beyond the bound of
        # their address is closed at once without a word, and a guest from
        # another address is seated all the same.
        silent = [Peer.connect(port) for _ in range(4)]
        time.sleep(0.5)
        beyond = Peer.connect(port)
        if beyond.line() is not None:
            raise Failed("a connection beyond its address's bound was answered")
        third.send("bye leaving")
        third.close()
        elsewhere, _ = join(port, "hello 1 Di", source="127.0.0.2")
        for peer in silent:
            peer.expect_bye("timeout")
        # A peer that reconnects as soon as it is dropped keeps nobody out.
        elsewhere.send("bye leaving")
        elsewhere.close()
        stop, connections = threading.Event(), []
        nuisance = threading.Thread(target=idle_peer, args=(port, stop, connections))
        nuisance.start()
        try:
            time.sleep(0.5)
            join(port, "hello 1 Cy")
        finally:
            stop.set()
            nuisance.join()
        if any(line != "bye timeout" for line in connections):
            raise Failed(f"an idle connection was told {connections}")
    finally:
        host.kill()


def as_host(driver, folder):
    """A driver joins the peer, which hosts."""
    table = subprocess.run([driver], input="shot 407 196\nshot 602 176\nstate\n", capture_output=True, text=True,
                           cwd=folder, env=DriverProcess.environment(), timeout=SECONDS, check=True)
    host_state = "{" + table.stdout.strip().split(",", 1)[1]
    with socket.socket() as listener:
        listener.bind(("127.0.0.1", 0))
        listener.listen(1)
        listener.settimeout(SECONDS)
        port = listener.getsockname()[1]
        guest = DriverProcess(driver, f"join {port} Bo\nawait\nstate\nawait\n", folder)
        try:
            peer = Peer(listener.accept()[0])
            peer.expect("hello 1 Bo")
            peer.send("welcome 1 Peer", "seat 00000000000000ff", "score 0 0", "match 0", "ready 0", "1 shot 407 196",
                      "check 1 0123456789abcdef")
            peer.skip_until("sync\\?")
            peer.send("sync 0 " + host_state)
            guest.read_until(lambda lines: len(lines) >= 3, SECONDS)
            expected = ['{"out_of_step":1}', '{"remote":"shot 407 196","n":1}']
            if guest.output[:2] != expected or "{" + guest.output[2].split(",", 1)[1] != host_state:
                raise Failed(f"the guest printed {guest.output}")
            # Input 2 never came: 3 is not the next number.
            peer.send("3 undo")
            peer.expect_bye("malformed")
            if guest.finish(SECONDS) != 5 or "line 4: " not in "".join(guest.errors):
                raise Failed(f"the guest did not stop with status 5: {guest.errors}")
        finally:
            guest.kill()


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def main(driver, folder):
    for role in (as_guest, openings, as_host):
        try:
            role(driver, folder)
        except (Failed, OSError, subprocess.SubprocessError) as failure:
            print(f"{role.__name__}: {failure}")
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
