// Figures of network play, measured rather than tested: the bytes a shot
// costs, a guest's shot from the press to the launch on both sides over
// loopback, and the processor a connected, idle match takes. With `relay`,
// the match goes over a broker of its own on loopback, and the bytes a shot
// are those each side's connection to the broker carries, both ways. With
// WATCHERS, that many watch the match, in the same process: the bytes every
// connection of the host carries and the processor all of it takes, a shot,
// over 400 shots.
//
//   build/tests/net/net_figures [AIMING_SECONDS] [relay|tcp] [WATCHERS]

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "net/network_match.h"
#include "net/relay/match_code.h"
#include "tests/net/process_use.h"
#include "tests/net/relay/test_broker.h"
#include "tests/protocol/session_pair.h"

namespace {

using Clock = std::chrono::steady_clock;

// A stand-in table that notes when each input was applied: the launch.
class TimedTable : public FakeMatchTable {
public:
    void apply(const Input& input) override
    {
        applied_at = Clock::now();
        FakeMatchTable::apply(input);
    }
    Clock::time_point applied_at;
};

std::size_t bytes_of(const std::vector<std::string>& lines)
{
    std::size_t bytes = 0;
    for (const std::string& line : lines) bytes += line.size() + 1;
    return bytes;
}

// The guest moves the mouse 100 times a second for `aiming_ms`, then shoots;
// every line both ways until both tables have checked the shot.
std::size_t bytes_per_shot(int64_t aiming_ms)
{
    SessionPair pair;
    pair.join("Bo");
    pair.host.play(Input{InputKind::shot, 400, 200});
    pair.rest();
    const std::size_t before = bytes_of(pair.to_guest) + bytes_of(pair.to_host);
    for (int64_t t = 0; t < aiming_ms; t += 10) {
        pair.now += 10;
        pair.guest->aim(100 + static_cast<int>(t / 10 % 500), 150, pair.now);
        pair.guest->pump(pair.now);
        pair.carry();
    }
    pair.guest->play(Input{InputKind::shot, 300, 150});
    pair.carry();
    pair.rest();
    return bytes_of(pair.to_guest) + bytes_of(pair.to_host) - before;
}

void run_until(const std::function<bool()>& done)
{
    const QDeadlineTimer deadline(10'000);
    while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

struct Loopback {
    TimedTable host_table, guest_table;
    NetworkMatch host{host_table};
    NetworkMatch guest{guest_table};
    std::optional<TestBroker> broker;
    std::vector<std::unique_ptr<TimedTable>> watcher_tables;
    std::vector<std::unique_ptr<NetworkMatch>> watchers;

    bool connect()
    {
        if (broker) {
            host.host_relay(broker->plain_address(), QStringLiteral("Anna"));
            run_until([this] { return !host.match_code().isEmpty(); });
            guest.join(RelayMatch{broker->plain_address(), *read_match_code(host.match_code())}, QStringLiteral("Bo"));
        } else {
            LinkTrouble why;
            if (!host.host(QHostAddress::LocalHost, 0, QStringLiteral("Anna"), why)) return false;
            guest.join(TcpHost{QStringLiteral("127.0.0.1"), host.hosting_port()}, QStringLiteral("Bo"));
        }
        run_until([this] { return guest.connected(); });
        // The caught-up table comes to rest before the first shot.
        rest();
        return guest.connected();
    }
    bool watch(int count)
    {
        const HostPlace place =
            broker ? HostPlace(RelayMatch{broker->plain_address(), *read_match_code(host.watch_code())})
                   : HostPlace(TcpHost{QStringLiteral("127.0.0.1"), host.hosting_port()});
        for (int k = 0; k < count; ++k) {
            watcher_tables.push_back(std::make_unique<TimedTable>());
            watchers.push_back(std::make_unique<NetworkMatch>(*watcher_tables.back()));
            watchers.back()->watch(place, QStringLiteral("Cleo"));
            // One at a time: the host takes only a few unanswered openings from one address.
            run_until([this] { return host.watchers() == static_cast<int>(watchers.size()); });
        }
        rest();
        return host.watchers() == count;
    }
    void rest()
    {
        host_table.rolling = guest_table.rolling = false;
        host.table_changed();
        guest.table_changed();
        for (std::size_t k = 0; k < watchers.size(); ++k) {
            watcher_tables[k]->rolling = false;
            watchers[k]->table_changed();
        }
    }
    // Every connection the host has: its guest's and its watchers', or over
    // the relay every connection to the broker.
    long long host_bytes() const
    {
        const std::vector<long long> each = bytes_with_port(broker ? broker->port() : host.hosting_port());
        return std::accumulate(each.begin(), each.end(), 0LL);
    }
};

// Milliseconds from the guest's press to the later of the two launches, each guest shot.
std::vector<double> guest_shot_delays(Loopback& loopback, int shots)
{
    std::vector<double> delays;
    for (int k = 0; k < shots; ++k) {
        loopback.host.play(Input{InputKind::shot, 400, 200});
        run_until([&] { return loopback.guest_table.rolling; });
        loopback.rest();
        const Clock::time_point pressed = Clock::now();
        loopback.guest.play(Input{InputKind::shot, 300, 150});
        run_until([&] { return loopback.guest_table.rolling && loopback.host_table.rolling; });
        const auto launched = std::max(loopback.host_table.applied_at, loopback.guest_table.applied_at);
        delays.push_back(std::chrono::duration<double, std::milli>(launched - pressed).count());
        loopback.rest();
    }
    return delays;
}

// Over the relay, a guest's shot as a player makes it: aiming 100 moves a
// second for `aiming_ms`, then the shot, until both tables have checked it.
// The bytes each connection to the broker carried for it, both ways.
std::vector<long long> relay_bytes_per_shot(Loopback& relay, int64_t aiming_ms)
{
    relay.host.play(Input{InputKind::shot, 400, 200});
    run_until([&] { return relay.guest_table.rolling; });
    relay.rest();
    const uint32_t agreed = relay.guest.agreed_through();
    std::vector<long long> bytes = bytes_with_port(relay.broker->port());
    for (int64_t t = 0; t < aiming_ms; t += 10) {
        relay.guest.aim(100 + static_cast<int>(t / 10 % 500), 150);
        const QDeadlineTimer tick(10);
        while (!tick.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    relay.guest.play(Input{InputKind::shot, 300, 150});
    run_until([&] { return relay.guest_table.rolling && relay.host_table.rolling; });
    relay.rest();
    run_until([&] { return relay.guest.agreed_through() > agreed; });
    const std::vector<long long> after = bytes_with_port(relay.broker->port());
    for (std::size_t k = 0; k < bytes.size() && k < after.size(); ++k) bytes[k] = after[k] - bytes[k];
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int64_t aiming_ms = argc > 1 ? std::stoll(argv[1]) * 1000 : 3000;
    const bool over_relay = argc > 2 && QByteArray(argv[2]) == "relay";
    const int watchers = argc > 3 ? std::stoi(argv[3]) : 0;
    std::printf("bytes a guest's shot costs, both ways, after %lld s of aiming: %zu\n",
                static_cast<long long>(aiming_ms / 1000), bytes_per_shot(aiming_ms));

    Loopback loopback;
    if (over_relay) loopback.broker.emplace();
    if (!loopback.connect() || !loopback.watch(watchers)) {
        std::printf("no connection on loopback\n");
        return 1;
    }
    if (over_relay) {
        std::printf("over the relay, bytes each connection to the broker carries for a guest's shot:");
        for (const long long bytes : relay_bytes_per_shot(loopback, aiming_ms)) std::printf(" %lld", bytes);
        std::printf("\n");
    }
    const long long bytes_before = loopback.host_bytes();
    const double processor_before = processor_seconds();
    std::vector<double> delays = guest_shot_delays(loopback, 200);
    // Two shots each round: the host's and the guest's.
    std::printf("with %d watching: %s %.0f bytes a shot; the processor, %.3f ms a shot\n", watchers,
                over_relay ? "every connection to the broker carries" : "the host's connections carry",
                static_cast<double>(loopback.host_bytes() - bytes_before) / 400,
                (processor_seconds() - processor_before) * 1000 / 400);
    std::sort(delays.begin(), delays.end());
    std::printf("a guest's shot, press to launch on both sides: median %.3f ms, slowest %.3f ms (%zu shots)\n",
                delays[delays.size() / 2], delays.back(), delays.size());

    std::printf("host and guest connected and idle for 10 s, in one process: %.2f %% of one core\n",
                idle_share_of_core(application, 10));
    return 0;
}
