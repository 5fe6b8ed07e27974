// Figures of the relay's transport, measured rather than tested, over a
// broker of its own on loopback: a line's round trip (guest to host and
// back), the bytes both ends send and receive to the broker for each line, and the
// processor a connected, idle pair takes.
//
//   build/tests/net/relay/relay_figures [ROUND_TRIPS]

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "net/relay/match_code.h"
#include "net/relay/relay_line_transport.h"
#include "tests/net/process_use.h"
#include "tests/net/relay/test_broker.h"

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int round_trips = argc > 1 ? std::atoi(argv[1]) : 200;
    TestBroker broker;
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
    return 0;
}
