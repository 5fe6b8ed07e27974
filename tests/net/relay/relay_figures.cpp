// Figures of the relay's transport, measured rather than tested, over a
// broker of its own on loopback: a line's round trip (guest to host and
// back), the bytes both ends send and receive to the broker for each line, the
// processor a connected, idle pair takes; and, in plain text and over TLS,
// how soon a host is back on a broker killed and started again, how soon a
// match plays on after a broker restart or a 2 s cut, and the processor a host
// takes while the broker is down.
//
//   build/tests/net/relay/relay_figures [ROUND_TRIPS]

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <chrono>
#include <cstdio>
#include <vector>

#include "net/network_match.h"
#include "net/relay/match_code.h"
#include "net/relay/relay_line_transport.h"
#include "tests/net/process_use.h"
#include "tests/protocol/fake_match_table.h"
#include "tests/net/relay/test_broker.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int RESTARTS = 10;
constexpr int DOWN_S = 10;
constexpr int CUT_MS = 2'000;

double milliseconds_since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A host listening on the relay, the broker killed with it listening and
// started again: from the broker taking connections again to the host
// connected and subscribed again, the median of RESTARTS.
double median_return_ms(TestBroker& broker, const RelayAddress& address)
{
    RelayGuestListener listener;
    int subscribed = 0;
    QObject::connect(&listener, &RelayGuestListener::listening, [&] { ++subscribed; });
    listener.listen(address, derive_relay_keys(draw_match_code()));
    std::vector<double> return_ms;
    for (int i = 0; i < RESTARTS && wait_until([&] { return subscribed == i + 1; }); ++i) {
        broker.stop(SIGKILL);
        broker.start();
        const Clock::time_point back = Clock::now();
        if (wait_until([&] { return subscribed == i + 2; }, 60'000)) return_ms.push_back(milliseconds_since(back));
    }
    std::sort(return_ms.begin(), return_ms.end());
    return return_ms.size() == RESTARTS ? return_ms[RESTARTS / 2] : -1;
}

// A match over the relay whose broker falls (killed and started again at
// once, or frozen for CUT_MS): from the broker answering again to the guest's
// table holding the shot the host played meanwhile, without anybody pressing
// "Join again", the median of RESTARTS.
double median_play_back_ms(TestBroker& broker, const RelayAddress& address, bool cut)
{
    FakeMatchTable host_table, guest_table;
    NetworkMatch host{host_table};
    NetworkMatch guest{guest_table};
    QString code;
    QObject::connect(&host, &NetworkMatch::relay_listening, [&](const QString& shown) { code = shown; });
    host.host_relay(address, QStringLiteral("Anna"));
    if (!wait_until([&] { return !code.isEmpty(); })) return -1;
    guest.join(RelayMatch{address, *read_match_code(code)}, QStringLiteral("Bo"));
    const auto agreed = [&] {
        host_table.rolling = guest_table.rolling = false;
        host.table_changed();
        guest.table_changed();
        return host.connected() && guest.connected() && guest_table.inputs == host_table.inputs;
    };
    std::vector<double> back_ms;
    for (int i = 0; i < RESTARTS && wait_until(agreed, 60'000); ++i) {
        if (cut) {
            broker.freeze();
            wait_until([] { return false; }, CUT_MS);
            broker.thaw();
        } else {
            broker.stop(SIGKILL);
            broker.start();
        }
        const Clock::time_point back = Clock::now();
        host.play(Input{InputKind::shot, 100 + i, 150});
        const std::string played = "shot " + std::to_string(100 + i) + " 150;";
        if (!wait_until([&] { return agreed() && guest_table.inputs.ends_with(played); }, 60'000)) break;
        back_ms.push_back(milliseconds_since(back));
        // The guest gives the cue back to the host, once its shot is taken: one
        // played while its connection was still thought up is lost with it.
        const std::string returned = "shot " + std::to_string(300 + i) + " 150;";
        for (int tries = 0; tries < 3 && !host_table.inputs.ends_with(returned); ++tries) {
            guest.play(Input{InputKind::shot, 300 + i, 150});
            wait_until([&] { return agreed() && host_table.inputs.ends_with(returned); }, 20'000);
        }
    }
    std::sort(back_ms.begin(), back_ms.end());
    return back_ms.size() == RESTARTS ? back_ms[RESTARTS / 2] : -1;
}

// A host that starts listening while the broker is down: the share of one
// core it takes over DOWN_S seconds, and whether it is on the broker once
// the broker is up.
double share_while_down(QCoreApplication& app, TestBroker& broker, const RelayAddress& address, bool& reached)
{
    broker.stop(SIGKILL);
    RelayGuestListener listener;
    bool subscribed = false;
    QObject::connect(&listener, &RelayGuestListener::listening, [&] { subscribed = true; });
    listener.listen(address, derive_relay_keys(draw_match_code()));
    const double share = idle_share_of_core(app, DOWN_S);
    reached = broker.start() && wait_until([&] { return subscribed; }, 60'000);
    return share;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int round_trips = argc > 1 ? std::atoi(argv[1]) : 200;
    TestBroker broker(QStringLiteral("IP:127.0.0.1"));
    const RelayKeys keys = derive_relay_keys(draw_match_code());
    RelayGuestListener listener;
    LineTransport* host = nullptr;
    QObject::connect(&listener, &RelayGuestListener::guest_arrived, [&](LineTransport* arrived) {
        host = arrived;
        QObject::connect(host, &LineTransport::line_arrived, [&](const std::string& line) { host->send_line(line); });
    });
    listener.listen(broker.plain_address(), keys);
    LineTransport* guest = RelayLineTransport::connect_to(broker.plain_address(), keys);
    int answers = 0;
    QObject::connect(guest, &LineTransport::line_arrived, [&] { ++answers; });
    QObject::connect(guest, &LineTransport::opened, [&] { guest->send_line("hello 1 Bo"); });
    if (!wait_until([&] { return answers == 1; })) {
        std::fprintf(stderr, "the pair did not meet on the relay\n");
        return 1;
    }

    std::vector<double> trip_ms;
    const std::vector<long long> bytes_before = bytes_with_port(broker.port());
    for (int i = 0; i < round_trips; ++i) {
        const Clock::time_point sent = Clock::now();
        guest->send_line("shot 352 191");
        wait_until([&] { return answers == i + 2; });
        trip_ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
    }
    const std::vector<long long> bytes_after = bytes_with_port(broker.port());
    long long bytes_per_trip = 0;
    for (std::size_t k = 0; k < bytes_before.size() && k < bytes_after.size(); ++k)
        bytes_per_trip += (bytes_after[k] - bytes_before[k]) / round_trips;
    std::sort(trip_ms.begin(), trip_ms.end());
    std::printf("round trip of a line, guest to host and back: median %.2f ms, slowest %.2f ms (%d trips)\n",
                trip_ms[trip_ms.size() / 2], trip_ms.back(), round_trips);
    std::printf("bytes both ends send and receive to the broker for one round trip (two lines): %lld\n", bytes_per_trip);

    // The event loop itself, waiting: the tests' helpers poll it instead.
    std::printf("processor of a connected, idle pair: %.3f %% of one core over 10 s\n", idle_share_of_core(app, 10));

    for (const RelayAddress& address : {broker.plain_address(), broker.tls_address()}) {
        const char* over = address.tls ? "TLS" : "plain text";
        std::printf("%s: a broker killed and back, to the host subscribed again: median %.0f ms (%d restarts)\n", over,
                    median_return_ms(broker, address), RESTARTS);
        std::printf("%s: a broker killed and back, to play going on by itself: median %.0f ms (%d restarts)\n",
                    over, median_play_back_ms(broker, address, false), RESTARTS);
        std::printf("%s: a %d ms cut, to play going on by itself: median %.0f ms (%d cuts)\n", over, CUT_MS,
                    median_play_back_ms(broker, address, true), RESTARTS);
        bool reached = false;
        const double share = share_while_down(app, broker, address, reached);
        std::printf("%s: processor of a host while the broker is down: %.3f %% of one core over %d s; ", over, share,
                    DOWN_S);
        std::printf("%s once it is up\n", reached ? "on the broker" : "NOT on the broker");
    }
    return 0;
}
