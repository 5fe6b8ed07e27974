#!/usr/bin/env python3
"""Two drivers play a whole match over loopback: a host, a guest whose
connection drops, and a second guest who joins again and plays on to the
black. Each `state` of the host has its twin on the guest's side, and they
must be equal; the other lines (remote inputs with their numbers, refusals,
the tables out of step) must be those in expected_lines.json.

usage: two_drivers.py DRIVER TABLE_PICTURE_FOLDER"""

import json
import os
import socket
import sys

from driver_process import DriverProcess, other_lines, states, wait_for_listener

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "two_drivers")
SECONDS = 90


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def script(name, port):
    with open(os.path.join(HERE, name), encoding="utf-8") as text:
        return text.read().replace("PORT", str(port))


def check(failures, holds, what):
    if not holds:
        failures.append(what)


def main(driver, folder):
    port = free_port()
    host = DriverProcess(driver, script("host.script", port), folder)
    if not wait_for_listener(port, SECONDS):
        host.kill()
        print("the host never listened")
        return 1
    first = DriverProcess(driver, script("first_guest.script", port), folder)
    first_done = first.read_until(lambda lines: len(states(lines)) == 7, SECONDS)
    # The connection drops: no goodbye, the program is gone.
    first.kill()
    second = DriverProcess(driver, script("second_guest.script", port), folder)
    second_status = second.finish(SECONDS)
    host_status = host.finish(SECONDS)

    with open(os.path.join(HERE, "expected_lines.json"), encoding="utf-8") as text:
        expected = json.load(text)
    guest_states = states(first.output) + states(second.output)
    failures = []
    check(failures, first_done, "the first guest did not print its seven states")
    check(failures, second_status == 0, f"the second guest ended with {second_status}")
    check(failures, host_status == 0, f"the host ended with {host_status}")
    check(failures, len(states(host.output)) == 16, f"the host printed {len(states(host.output))} states")
    check(failures, states(host.output) == guest_states, "the state lines differ")
    for name, process in (("host", host), ("first_guest", first), ("second_guest", second)):
        check(failures, other_lines(process.output) == expected[name], f"{name}: {other_lines(process.output)}")
    final = json.loads(host.output[-1])
    check(failures, final["status"] == "Victory!" and final["game_over"] == 1, "the match did not end in a victory")
    if failures:
        for name, process in (("host", host), ("first guest", first), ("second guest", second)):
            print(f"--- {name}: {len(process.output)} lines; errors: {process.errors}")
        for host_state, guest_state in zip(states(host.output), guest_states):
            if host_state != guest_state:
                print(f"first difference:\n  host  {host_state}\n  guest {guest_state}")
                break
        print("\n".join(failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
