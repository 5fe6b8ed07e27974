#include <gtest/gtest.h>

#include <QSignalSpy>
#include <csignal>

#include "app/link_words.h"
#include "net/network_match.h"
#include "net/relay/match_code.h"
#include "tests/protocol/fake_match_table.h"
#include "tests/net/relay/test_broker.h"

// A network match over a broker of the test's own, over TLS, on stand-in
// tables: the broker is killed mid-match and started again, and the match
// goes on by itself. A stranger with a code nobody hosts is told so.
namespace {

TEST(RelayMatch, ASecureBrokerThatFallsMidMatchIsFoundAgainAndTheGuestTakesItsSeatBack)
{
    TestBroker broker(QStringLiteral("IP:127.0.0.1"));
    FakeMatchTable host_table, guest_table, stranger_table;
    NetworkMatch host{host_table};
    NetworkMatch guest{guest_table};
    NetworkMatch stranger{stranger_table};
    QSignalSpy stranger_told(&stranger, &NetworkMatch::join_failed);
    stranger.join(RelayMatch{broker.tls_address(), draw_match_code()}, QStringLiteral("Cy"));
    const auto rest = [&] {
        host_table.rolling = guest_table.rolling = false;
        host.table_changed();
        guest.table_changed();
    };

    QSignalSpy listening(&host, &NetworkMatch::relay_listening);
    host.host_relay(broker.tls_address(), QStringLiteral("Anna"));
    ASSERT_TRUE(wait_until([&] { return listening.count() == 1; }));
    const QString shown = listening.at(0).at(0).toString();
    EXPECT_EQ(shown, host.match_code());
    guest.join(RelayMatch{broker.tls_address(), *read_match_code(shown)}, QStringLiteral("Bo"));
    ASSERT_TRUE(wait_until([&] { return guest.connected() && host.connected(); }));
    // Each side plays a shot, and the tables agree.
    const auto play = [&](NetworkMatch& side, int x) {
        side.play(Input{InputKind::shot, x, 150});
        return wait_until([&] { return host_table.rolling && guest_table.rolling; });
    };
    rest();
    ASSERT_TRUE(play(host, 400));
    rest();
    ASSERT_TRUE(play(guest, 300));
    rest();

    ASSERT_TRUE(wait_until([&] { return stranger_told.count() == 1; }, 15'000));
    EXPECT_EQ(link_words(stranger_told.at(0).at(0).value<LinkTrouble>()).toStdString(),
              "No game answers with this code: check it with your friend");

    // The broker falls for longer than a connection waits for it, while the
    // host's player shoots: that shot is the host's, and the guest, joining
    // again by itself, finds it on taking its seat back once the broker is
    // there again.
    broker.stop(SIGKILL);
    host.play(Input{InputKind::shot, 200, 150});
    rest();
    ASSERT_TRUE(wait_until([&] { return guest.rejoining() && !host.connected(); }, 20'000));
    ASSERT_TRUE(broker.start());
    QSignalSpy seated_again(&host, &NetworkMatch::remote_joined);
    // The caught-up table comes to rest when the test lets it.
    ASSERT_TRUE(wait_until([&] {
        rest();
        return seated_again.count() == 1 && guest.connected();
    }, 30'000));
    ASSERT_TRUE(play(guest, 100));
    rest();
    ASSERT_TRUE(wait_until([&] { return guest.agreed_through() == 4; }));
    EXPECT_EQ(host_table.inputs, "shot 400 150;shot 300 150;shot 200 150;shot 100 150;");
    EXPECT_EQ(guest_table.inputs, host_table.inputs);
}

}  // namespace
