#!/usr/bin/env python3
"""Two drivers play a whole match over loopback: a host, a guest whose
connection drops, and a second guest who joins again, through a proxy that
holds its first answers 2 s each way, and plays on to the black; its
connection is then cut, it joins again by itself, and both count the same
series. Midway the host's program is killed (SIGKILL) and started again from
its journal; the guest comes back to it by itself. Each `state` of the host
has its twin on the guest's side, and they must be equal; the other lines
(remote inputs with their numbers, refusals, the tables out of step, the
resumed match, the series) must be those in expected_lines.json. The host
leaves at the end, which removes its journal.

With a broker's program, the same match is played over a relay: a broker of
the test's own, the host's match code given to each guest.

usage: two_drivers.py DRIVER TABLE_PICTURE_FOLDER [MOSQUITTO]"""

import json
import os
import sys
import tempfile
import time

from broker_process import BrokerProcess, free_port
from driver_process import DelayingProxy, DriverProcess, other_lines, states, wait_for_listener

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "two_drivers")
SECONDS = 90
# Over the relay the host hears that a guest is gone only from its silence.
HOST_HEARS_SILENCE_S = 17
# The second guest's first answers, over the relay later than it waits before opening again.
DELAY_S = 2
DELAYED_FOR_S = 15
# The states the host prints before its program is killed.
HOST_STATES_BEFORE_KILL = 9


def script(name, port, code=None, journal=""):
    """The script for a match on loopback; with a code (the host's: empty),
    for the same match over the relay."""
    with open(os.path.join(HERE, name), encoding="utf-8") as text:
        lines = text.read()
    if code is not None:
        lines = lines.replace("host PORT", "host-relay PORT").replace("join PORT", f"join-relay PORT {code}")
    return lines.replace("PORT", str(port)).replace("JOURNAL", journal)


def codes(lines):
    return [line for line in lines if line.startswith('{"code":')]


def relay_code(host):
    """The match code the host prints once the relay hears its match."""
    if not host.read_until(lambda lines: any(line.startswith('{"code":') for line in lines), SECONDS):
        return None
    return next(json.loads(line)["code"] for line in host.output if line.startswith('{"code":'))


def not_code(lines):
    return [line for line in lines if not line.startswith('{"code":')]


def check(failures, holds, what):
    if not holds:
        failures.append(what)


def main(driver, folder, broker, journal):
    port = broker.port if broker else free_port()
    host = DriverProcess(driver, script("host.script", port, "" if broker else None, journal), folder)
    code = relay_code(host) if broker else None
    if not (code if broker else wait_for_listener(port, SECONDS)):
        host.kill()
        print("the host never listened")
        return 1
    first = DriverProcess(driver, script("first_guest.script", port, code), folder)
    first_done = first.read_until(lambda lines: len(states(lines)) == 7, SECONDS)
    # The connection drops: no goodbye, the program is gone.
    first.kill()
    if broker:
        time.sleep(HOST_HEARS_SILENCE_S)
    proxy = DelayingProxy(port, DELAY_S, DELAYED_FOR_S)
    second = DriverProcess(driver, script("second_guest.script", proxy.port, code), folder)
    host_played = host.read_until(lambda lines: len(states(lines)) == HOST_STATES_BEFORE_KILL, SECONDS)
    host.kill()
    resumed = DriverProcess(driver, script("resumed_host.script", port, "" if broker else None, journal), folder)
    second_done = second.read_until(lambda lines: len(states(lines)) == 9, SECONDS)
    opened = proxy.opened
    proxy.cut()
    deadline = time.monotonic() + SECONDS
    while proxy.opened == opened and time.monotonic() < deadline:
        time.sleep(0.05)
    second.send("score\n")
    second_status = second.finish(SECONDS)
    resumed_status = resumed.finish(SECONDS)
    hosts_output = host.output + resumed.output

    with open(os.path.join(HERE, "expected_lines.json"), encoding="utf-8") as text:
        expected = json.load(text)
    guest_states = states(first.output) + states(second.output)
    failures = []
    check(failures, first_done, "the first guest did not print its seven states")
    check(failures, second_done, "the second guest did not print its nine states")
    check(failures, proxy.opened > opened, "the second guest did not join again after its connection was cut")
    check(failures, second_status == 0, f"the second guest ended with {second_status}")
    check(failures, host_played, "the host did not play its part before it was killed")
    check(failures, resumed_status == 0, f"the resumed host ended with {resumed_status}")
    check(failures, len(states(hosts_output)) == 16, f"the host printed {len(states(hosts_output))} states")
    check(failures, states(hosts_output) == guest_states, "the state lines differ")
    check(failures, len(set(codes(hosts_output))) <= 1, "the resumed host has another code")
    check(failures, not os.path.exists(journal), "the journal outlived the match")
    for name, lines in (("host", hosts_output), ("first_guest", first.output), ("second_guest", second.output)):
        lines = not_code(other_lines(lines))
        check(failures, lines == expected[name], f"{name}: {lines}")
    final = json.loads(next((line for line in reversed(hosts_output) if line.startswith('{"t":')), "{}"))
    check(failures, final.get("status") == "Victory!" and final.get("game_over") == 1,
          "the match did not end in a victory")
    if failures:
        for name, process in (("host", host), ("resumed host", resumed), ("first guest", first),
                              ("second guest", second)):
            print(f"--- {name}: {len(process.output)} lines; errors: {process.errors}")
        for host_state, guest_state in zip(states(hosts_output), guest_states):
            if host_state != guest_state:
                print(f"first difference:\n  host  {host_state}\n  guest {guest_state}")
                break
        print("\n".join(failures))
        return 1
    return 0


if __name__ == "__main__":
    with tempfile.TemporaryDirectory() as state_folder:
        journal = os.path.join(state_folder, "match.journal")
        if len(sys.argv) > 3:
            with BrokerProcess(sys.argv[3]) as relay:
                sys.exit(main(sys.argv[1], sys.argv[2], relay, journal))
        sys.exit(main(sys.argv[1], sys.argv[2], None, journal))
