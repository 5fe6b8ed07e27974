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
leaves at the end, which removes its journal. Watchers follow the match: one
from before the first guest joins, one that joins mid-rack, is killed and
comes back; each awaits every input until its check agrees with the host's,
and ends on the host's table.

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
LAST_INPUT = 15
# The states the host prints before its program is killed.
HOST_STATES_BEFORE_KILL = 9


def script(name, port, codes=None, journal=""):
    """The script for a match on loopback; with the codes (the host's:
    empty), for the same match over the relay."""
    with open(os.path.join(HERE, name), encoding="utf-8") as text:
        return relay_script(text.read(), port, codes).replace("JOURNAL", journal)


def relay_script(lines, port, codes):
    if codes is not None:
        lines = (lines.replace("host PORT", "host-relay PORT").replace("join PORT", f"join-relay PORT {codes['code']}")
                 .replace("watch PORT", f"watch-relay PORT {codes['watch']}"))
    return lines.replace("PORT", str(port))


def relay_codes(host):
    """The match and watch codes the host prints once the relay hears its match."""
    if not host.read_until(lambda lines: any(line.startswith('{"code":') for line in lines), SECONDS):
        return None
    return next(json.loads(line) for line in host.output if line.startswith('{"code":'))


def watch_mid_rack(driver, folder, port, codes, back_port):
    """A watcher joins mid-rack, is killed and comes back through `back_port`: the program that came back."""
    first = DriverProcess(driver, relay_script("watch PORT Dan\nstate\n", port, codes), folder)
    came = first.read_until(lambda lines: len(states(lines)) == 1, SECONDS)
    first.kill()
    back = DriverProcess(driver, relay_script("watch PORT Dan\nstate\n" + "await\n" * 8 + "state\n", back_port, codes),
                         folder)
    return came and back.read_until(lambda lines: len(states(lines)) == 1, SECONDS), back


def await_to_the_end(watcher):
    """Awaits each input the watcher has not caught up with, to the last, then its table and series."""
    last = None
    watcher.read_until(lambda lines: lines, SECONDS)  # its refused shot
    while last != LAST_INPUT and watcher.process.poll() is None:
        count = len(watcher.output)
        watcher.send("await\n")
        if not watcher.read_until(lambda lines: len(lines) > count, SECONDS):
            break
        last = json.loads(watcher.output[-1]).get("n")
    watcher.send("state\nscore\n")


def codes_printed(lines):
    return [line for line in lines if line.startswith('{"code":')]


def not_code(lines):
    return [line for line in lines if not line.startswith('{"code":')]


def check(failures, holds, what):
    if not holds:
        failures.append(what)


def main(driver, folder, broker, journal):
    port = broker.port if broker else free_port()
    host_codes = {"code": "", "watch": ""} if broker else None
    host = DriverProcess(driver, script("host.script", port, host_codes, journal), folder)
    codes = relay_codes(host) if broker else None
    if not (codes if broker else wait_for_listener(port, SECONDS)):
        host.kill()
        print("the host never listened")
        return 1
    # Cleo watches from before the first guest joins; a watcher plays nothing.
    watcher = DriverProcess(driver, relay_script("watch PORT Cleo\nshot 100 100\n", port, codes), folder)
    first = DriverProcess(driver, script("first_guest.script", port, codes), folder)
    first_done = first.read_until(lambda lines: len(states(lines)) == 7, SECONDS)
    # The connection drops: no goodbye, the program is gone.
    first.kill()
    proxy = DelayingProxy(port, DELAY_S, DELAYED_FOR_S)
    came_back, returned = watch_mid_rack(driver, folder, port, codes, proxy.port)
    if broker:
        time.sleep(HOST_HEARS_SILENCE_S)
    second = DriverProcess(driver, script("second_guest.script", proxy.port, codes), folder)
    host_played = host.read_until(lambda lines: len(states(lines)) == HOST_STATES_BEFORE_KILL, SECONDS)
    host.kill()
    resumed = DriverProcess(driver, script("resumed_host.script", port, host_codes, journal), folder)
    second_done = second.read_until(lambda lines: len(states(lines)) == 9, SECONDS)
    returned.read_until(lambda lines: len(states(lines)) == 2, SECONDS)
    # The guest's and the returned watcher's connections are cut: each joins again by itself.
    opened = proxy.opened
    proxy.cut()
    deadline = time.monotonic() + SECONDS
    while proxy.opened < opened + 2 and time.monotonic() < deadline:
        time.sleep(0.05)
    second.send("score\n")
    returned.send("score\n")
    await_to_the_end(watcher)
    second_status = second.finish(SECONDS)
    watchers_status = [watcher.finish(SECONDS), returned.finish(SECONDS)]
    resumed_status = resumed.finish(SECONDS)
    hosts_output = host.output + resumed.output

    with open(os.path.join(HERE, "expected_lines.json"), encoding="utf-8") as text:
        expected = json.load(text)
    # The watcher sees every input, whoever played it, from the first after it caught up.
    inputs = {line for lines in expected.values() for line in lines if '"n":' in line}
    seen = len(other_lines(watcher.output)) - 2
    expected["watcher"] = ['{"refused":"shot"}', *sorted(inputs, key=lambda line: json.loads(line)["n"])[-seen:],
                           expected["host"][-1]]
    guest_states = states(first.output) + states(second.output)
    failures = []
    check(failures, first_done, "the first guest did not print its seven states")
    check(failures, second_done, "the second guest did not print its nine states")
    check(failures, proxy.opened >= opened + 2, "the guest or watcher did not join again after the cut")
    check(failures, returned.output[-1:] == expected["host"][-1:], "the returned watcher did not count the series")
    check(failures, second_status == 0, f"the second guest ended with {second_status}")
    check(failures, came_back, "the watcher did not come back mid-rack")
    # What a watcher caught up with on joining again after the host's return is not awaited.
    check(failures, seen >= LAST_INPUT - 8, f"the watcher saw {seen} inputs")
    check(failures, watchers_status == [0, 0], f"the watchers ended with {watchers_status}")
    for process in (watcher, returned):
        check(failures, states(process.output)[-1:] == states(hosts_output)[-1:], "a watcher's table is not the host's")
    check(failures, host_played, "the host did not play its part before it was killed")
    check(failures, resumed_status == 0, f"the resumed host ended with {resumed_status}")
    check(failures, len(states(hosts_output)) == 16, f"the host printed {len(states(hosts_output))} states")
    check(failures, states(hosts_output) == guest_states, "the state lines differ")
    check(failures, len(set(codes_printed(hosts_output))) <= 1, "the resumed host has other codes")
    check(failures, not os.path.exists(journal), "the journal outlived the match")
    for name, lines in (("host", hosts_output), ("first_guest", first.output), ("second_guest", second.output),
                        ("watcher", watcher.output)):
        lines = not_code(other_lines(lines))
        check(failures, lines == expected[name], f"{name}: {lines}")
    final = json.loads(next((line for line in reversed(hosts_output) if line.startswith('{"t":')), "{}"))
    check(failures, final.get("status") == "Victory!" and final.get("game_over") == 1,
          "the match did not end in a victory")
    if failures:
        for name, process in (("host", host), ("resumed host", resumed), ("first guest", first),
                              ("second guest", second), ("watcher", watcher), ("returned watcher", returned)):
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
