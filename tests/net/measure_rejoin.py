#!/usr/bin/env python3
"""Measures a rejoin after 100 shots: a host and a guest play the 100 shots
of bench/replay/hundred_shots.script through the protocol on loopback, the
guest leaves, and a fresh guest joins; the time from its start to its table
shown, less a driver's own start, is the rejoin. Then a seat taken back: a
guest joins and falls silent with its connection open, as one that died
unheard, and a new connection takes the seat back with its token; the time
from that connection to the host's whole match received, and with the
guest's own catch-up (the rejoin) added. Then a guest joining while a peer
connects, says nothing and connects again as soon as it is dropped. Last, a
watcher joining a rack of 500 inputs (the host's shot and its undo, 250
times, after its guest has left): its start to its table settled and agreed,
less a driver's own start. Not a test.

usage: measure_rejoin.py DRIVER TABLE_PICTURE_FOLDER HUNDRED_SHOTS_SCRIPT"""

import json
import os
import subprocess
import sys
import tempfile
import threading
import time

from driver_process import DriverProcess, states, wait_for_listener
from protocol_peer import idle_peer, join
from two_drivers import free_port

SECONDS = 120


def turns(driver, folder, shots):
    """Who plays each shot, and whether it is a placement: the shots played alone."""
    script = "state\n" + "".join(f"shot {x} {y}\nstate\n" for x, y in shots)
    played = subprocess.run([driver], input=script, capture_output=True, text=True, cwd=folder,
                            env=DriverProcess.environment(), timeout=SECONDS, check=True)
    before = [json.loads(line) for line in played.stdout.splitlines()][:-1]
    return [(table["current_player"], table["balls"][0]["state"] == 0) for table in before]


def side_scripts(shots, plays, port):
    host, guest = [f"host {port} Anna"], [f"join {port} Bo"]
    for (x, y), (player, placing) in zip(shots, plays):
        mine, theirs = (host, guest) if player == 1 else (guest, host)
        mine.append(f"{'press' if placing else 'shot'} {x} {y}")
        theirs.append("await")
    return "\n".join(host + ["state", "await"]) + "\n", "\n".join(guest + ["leave"]) + "\n"


def seconds_to_first_line(driver, script, folder):
    started = time.monotonic()
    process = DriverProcess(driver, script, folder)
    process.read_until(lambda lines: len(lines) >= 1, SECONDS)
    elapsed = time.monotonic() - started
    process.kill()
    return elapsed, process.output


def seconds_to_seat_taken_back(port):
    silent, token = join(port, "hello 1 Dee")
    silent.skip_until(r"check \d+ [0-9a-f]{16}")
    started = time.monotonic()
    again, _ = join(port, f"again 1 {token} Dee")
    again.skip_until(r"check \d+ [0-9a-f]{16}")
    elapsed = time.monotonic() - started
    silent.close()
    again.close()
    return elapsed


def seconds_to_join_past_idle_peer(port):
    stop, connections = threading.Event(), []
    nuisance = threading.Thread(target=idle_peer, args=(port, stop, connections))
    nuisance.start()
    time.sleep(1)
    started = time.monotonic()
    guest, _ = join(port, "hello 1 Eve")
    guest.skip_until(r"check \d+ [0-9a-f]{16}")
    elapsed = time.monotonic() - started
    stop.set()
    nuisance.join()
    guest.close()
    return elapsed


def seconds_to_guest_back_after_resume(driver, folder, shots, plays):
    """From the resumed host's `{"resumed":N}` line, printed once it listens,
    to its next line, printed once the guest has its seat back."""
    port = free_port()
    host_script, guest_script = side_scripts(shots, plays, port)
    with tempfile.TemporaryDirectory() as state_folder:
        journal = os.path.join(state_folder, "match.journal")
        # The host stops after its state line; the guest stays, waiting for the host's next input.
        host = DriverProcess(driver, f"journal {journal}\n" + host_script.removesuffix("await\n"), folder)
        wait_for_listener(port, SECONDS)
        guest = DriverProcess(driver, guest_script.removesuffix("leave\n") + "await\n", folder)
        if not host.read_until(lambda lines: len(states(lines)) == 1, SECONDS):
            raise RuntimeError(f"the 100 shots were not played: {host.errors}")
        host.kill()
        resumed = DriverProcess(driver, f"host-resume {journal}\nstate\n", folder)
        resumed.read_until(lambda lines: len(lines) >= 1, SECONDS)
        listening = time.monotonic()
        back = resumed.read_until(lambda lines: len(lines) >= 2, SECONDS)
        elapsed = time.monotonic() - listening
        same = back and states(resumed.output) == states(host.output)
        resumed.kill()
        guest.kill()
    return elapsed, same


def seconds_to_watch_500_inputs(driver, folder, alone):
    port = free_port()
    host = DriverProcess(driver, f"host {port} Anna\n" + "shot 407 196\nundo\n" * 250 + "state\n", folder)
    wait_for_listener(port, SECONDS)
    DriverProcess(driver, f"join {port} Bo\nleave\n", folder).finish(SECONDS)
    host.read_until(lambda lines: len(states(lines)) == 1, SECONDS)
    watched, output = seconds_to_first_line(driver, f"watch {port} Cy\nstate\n", folder)
    host.kill()
    return watched - alone, states(output) == states(host.output)


def main(driver, folder, hundred_shots):
    with open(hundred_shots, encoding="utf-8") as text:
        shots = [tuple(map(int, line.split()[1:])) for line in text if line.startswith("shot ")]
    port = free_port()
    plays = turns(driver, folder, shots)
    host_script, guest_script = side_scripts(shots, plays, port)
    host = DriverProcess(driver, host_script, folder)
    wait_for_listener(port, SECONDS)
    guest = DriverProcess(driver, guest_script, folder)
    if guest.finish(SECONDS) != 0 or not host.read_until(lambda lines: len(states(lines)) == 1, SECONDS):
        print("the 100 shots were not played:", guest.errors, host.errors)
        return 1
    alone, _ = seconds_to_first_line(driver, "state\n", folder)
    joined, output = seconds_to_first_line(driver, f"join {port} Cy\nstate\n", folder)
    taken_back = seconds_to_seat_taken_back(port)
    past_idle_peer = seconds_to_join_past_idle_peer(port)
    host.kill()
    resumed, resumed_same = seconds_to_guest_back_after_resume(driver, folder, shots, plays)
    watched, watched_same = seconds_to_watch_500_inputs(driver, folder, alone)
    same = states(output) == states(host.output)
    print(f"a driver's start to its first state line: {alone * 1000:.0f} ms")
    print(f"a guest's start to the table of a 100-shot match shown: {joined * 1000:.0f} ms")
    print(f"the rejoin itself: {(joined - alone) * 1000:.0f} ms; the table is the host's: {same}")
    print(f"a seat taken back over a half-open connection, to the host's match received: {taken_back * 1000:.1f} ms;"
          f" with the guest's catch-up: {(taken_back + joined - alone) * 1000:.0f} ms")
    print(f"a guest joining while a silent peer reconnects, to the host's match received: {past_idle_peer * 1000:.1f} ms")
    print(f"a host killed and resumed from its journal, from listening to its guest back: {resumed * 1000:.0f} ms;"
          f" the same table: {resumed_same}")
    print(f"a watcher joining a rack of 500 inputs, to its table settled and agreed: {watched * 1000:.0f} ms;"
          f" the table is the host's: {watched_same}")
    return 0 if same and resumed_same and watched_same else 1


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
