#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <memory>

#include "app/link_words.h"
#include "net/relay/match_code.h"
#include "net/relay/relay_line_transport.h"
#include "net/relay/signed_lines.h"
#include "tests/net/relay/test_broker.h"

// The relay's transport against a real broker: lines cross it both ways,
// nothing a stranger publishes reaches a match, a broker that restarts is
// found again, and each way of failing is told in words.
namespace {

// What one end of a connection has heard.
struct Ear {
    QStringList lines;
    QString ended;
};

std::shared_ptr<Ear> listen_to(LineTransport* transport)
{
    auto ear = std::make_shared<Ear>();
    QObject::connect(transport, &LineTransport::line_arrived, transport,
                     [ear](const std::string& line) { ear->lines << QString::fromStdString(line); });
    QObject::connect(transport, &LineTransport::ended, transport,
                     [ear](const LinkTrouble& why) { ear->ended = link_words(why); });
    return ear;
}

// A host listening on the relay for the match of a new code, and its guest.
struct RelayMatch {
    explicit RelayMatch(const RelayAddress& address) : address(address), keys(derive_relay_keys(draw_match_code()))
    {
        QObject::connect(&listener, &RelayGuestListener::guest_arrived, &listener, [this](LineTransport* transport) {
            hosts.push_back(transport);
            host_ears.push_back(listen_to(transport));
        });
        listener.listen(address, keys);
    }

    // The guest's new connection, opened with `opening`, handed to the host.
    bool join(const std::string& opening)
    {
        const std::size_t hosted = hosts.size();
        guest = RelayLineTransport::connect_to(address, keys, &listener);
        guest_ear = listen_to(guest);
        QSignalSpy opened(guest, &LineTransport::opened);
        if (!wait_until([&] { return opened.count() == 1; })) return false;
        guest->send_line(opening);
        return wait_until([&] { return hosts.size() == hosted + 1; });
    }
    LineTransport* host() const { return hosts.back(); }
    Ear& host_ear() const { return *host_ears.back(); }

    RelayAddress address;
    RelayKeys keys;
    RelayGuestListener listener;
    QSignalSpy listening{&listener, &RelayGuestListener::listening};
    std::vector<LineTransport*> hosts;
    std::vector<std::shared_ptr<Ear>> host_ears;
    LineTransport* guest = nullptr;
    std::shared_ptr<Ear> guest_ear;
};

QByteArray with_match(QByteArray topic, const QByteArray& from, const QByteArray& to) { return topic.replace(from, to); }

TEST(RelayTransport, LinesCrossBothWaysAndNothingAStrangerPublishesReachesEitherEnd)
{
    TestBroker broker;
    RelayMatch a(broker.plain_address()), b(broker.plain_address());
    Stranger stranger(broker.port(), "corvenne/1/" + a.keys.id + "/#");
    ASSERT_TRUE(wait_until([&] { return a.listening.count() == 1 && b.listening.count() == 1; }));
    ASSERT_TRUE(a.join("hello 1 Bo"));
    ASSERT_TRUE(b.join("hello 1 Cy"));
    a.host()->send_line("welcome 1 Anna");
    b.host()->send_line("welcome 1 Dan");
    a.guest->send_line("shot 100 200");
    a.host()->send_line("1 shot 100 200");
    ASSERT_TRUE(wait_until([&] { return stranger.heard().size() == 4 && a.guest_ear->lines.size() == 2; }));

    // Everything the stranger heard, played back; the same lines forged and
    // sent to the other match; and a flood of forged openings and goodbyes.
    const QByteArray guest_topic_a = stranger.heard()[0].first;
    const QByteArray host_topic_a = stranger.heard()[1].first;
    for (const auto& [topic, payload] : stranger.heard()) {
        stranger.publish(topic, payload);
        stranger.publish(topic, "3 0123456789abcdef bye leaving");
        stranger.publish(with_match(topic, a.keys.id, b.keys.id), payload);
    }
    for (int i = 0; i < 10'000; ++i) {
        const QByteArray fake = QByteArray::number(0x1000000000000000ULL + static_cast<quint64>(i), 16);
        stranger.publish(with_match(guest_topic_a, guest_topic_a.last(16), fake), "1 0123456789abcdef hello 1 Eve");
        stranger.publish(host_topic_a, QByteArray::number(i + 3) + " 0123456789abcdef bye leaving");
    }
    ASSERT_TRUE(stranger.flush());

    a.guest->send_line("undo");
    a.host()->send_line("2 undo");
    b.guest->send_line("new?");
    ASSERT_TRUE(wait_until([&] {
        return a.guest_ear->lines.size() == 3 && a.host_ear().lines.size() == 3 && b.host_ear().lines.size() == 2;
    }));
    let_events_run(300);
    EXPECT_EQ(a.host_ear().lines, QStringList({"hello 1 Bo", "shot 100 200", "undo"}));
    EXPECT_EQ(a.guest_ear->lines, QStringList({"welcome 1 Anna", "1 shot 100 200", "2 undo"}));
    EXPECT_EQ(b.host_ear().lines, QStringList({"hello 1 Cy", "new?"}));
    EXPECT_EQ(b.guest_ear->lines, QStringList({"welcome 1 Dan"}));
    EXPECT_EQ(a.hosts.size(), 1u);
    EXPECT_EQ(b.hosts.size(), 1u);
    for (const Ear* ear : {a.guest_ear.get(), &a.host_ear(), b.guest_ear.get(), &b.host_ear()})
        EXPECT_EQ(ear->ended, QString());
}

// The broker keeps nothing of a connection that ends: a guest in the match
// is told at once that its connection went with the broker, and joins again
// over a new connection once the broker is back, the host's listener having
// subscribed again. Over TLS, the harder way back: plain text differs only in
// having no secure connection to set up again.
TEST(RelayTransport, AGuestDroppedByItsBrokerIsToldAtOnceAndJoinsAgainOnceItIsBack)
{
    TestBroker broker(QStringLiteral("IP:127.0.0.1"));
    RelayMatch match(broker.tls_address());
    ASSERT_TRUE(wait_until([&] { return match.listening.count() == 1; }));
    ASSERT_TRUE(match.join("hello 1 Bo"));
    match.host()->send_line("welcome 1 Anna");
    ASSERT_TRUE(wait_until([&] { return match.guest_ear->lines.size() == 1; }));

    // Back at once: the guest's connection went with it all the same.
    broker.stop(SIGKILL);
    ASSERT_TRUE(broker.start());
    ASSERT_TRUE(wait_until([&] { return !match.guest_ear->ended.isEmpty() && match.listening.count() == 2; }));
    EXPECT_EQ(match.guest_ear->ended,
              QStringLiteral("The relay 127.0.0.1:%1 cannot be reached: is the address right?")
                  .arg(broker.tls_address().port));

    match.guest->close();
    ASSERT_TRUE(match.join("again 1 00000000000000ff Bo"));
    match.host()->send_line("welcome 1 Anna");
    ASSERT_TRUE(wait_until([&] { return match.guest_ear->lines.size() == 1; }));
    EXPECT_EQ(match.host_ear().lines, QStringList({"again 1 00000000000000ff Bo"}));
    EXPECT_EQ(match.guest_ear->lines, QStringList({"welcome 1 Anna"}));
}

// The host may be away from the relay when its guest's opening comes: the
// guest opens again over a new connection until it is heard.
TEST(RelayTransport, AGuestOpensAgainUntilItsHostHearsIt)
{
    TestBroker broker;
    const RelayKeys keys = derive_relay_keys(draw_match_code());
    LineTransport* guest = RelayLineTransport::connect_to(broker.plain_address(), keys);
    const std::shared_ptr<Ear> guest_ear = listen_to(guest);
    QObject::connect(guest, &LineTransport::opened, guest, [guest] { guest->send_line("hello 1 Bo"); });
    let_events_run(1'000);

    RelayGuestListener listener;
    std::shared_ptr<Ear> host_ear;
    QObject::connect(&listener, &RelayGuestListener::guest_arrived, &listener, [&](LineTransport* host) {
        host_ear = listen_to(host);
        host->send_line("welcome 1 Anna");
    });
    listener.listen(broker.plain_address(), keys);
    ASSERT_TRUE(wait_until([&] { return guest_ear->lines.size() == 1; }));
    EXPECT_EQ(host_ear->lines, QStringList({"hello 1 Bo"}));
    EXPECT_EQ(guest_ear->lines, QStringList({"welcome 1 Anna"}));
    guest->close();
}

// Only a certificate that does not verify stops the tries: a relay out of
// reach and a plain listener taken for a TLS one are tried again and again.
TEST(RelayTransport, EachWayTheRelayFailsIsToldInWordsAndOnlyACertificateStopsTheTries)
{
    // A certificate signed by the trusted authority, for another name.
    TestBroker broker(QStringLiteral("DNS:relay.example.org"));
    const RelayAddress nothing_there{QStringLiteral("127.0.0.1"), free_port(), false};
    const auto told = [](const QString& words, quint16 port) {
        return words.arg(QStringLiteral("127.0.0.1:%1").arg(port));
    };

    const struct {
        RelayAddress address;
        QString told;
        bool lasting;
    } cases[] = {
        {nothing_there, told("The relay %1 cannot be reached: is the address right?", nothing_there.port), false},
        {broker.tls_address(),
         told("The relay %1 fails its secure connection (TLS): its certificate does not verify",
              broker.tls_address().port),
         true},
        {{QStringLiteral("127.0.0.1"), broker.port(), true},
         told("The relay %1 does not speak TLS: is it an mqtt:// relay?", broker.port()), false},
    };
    const RelayKeys match = derive_relay_keys(draw_match_code());
    std::vector<std::shared_ptr<Ear>> guest_ears;
    std::vector<std::unique_ptr<RelayGuestListener>> hosts;
    std::vector<QStringList> hosts_told(std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        LineTransport* guest = RelayLineTransport::connect_to(cases[i].address, match);
        QObject::connect(guest, &LineTransport::opened, guest, [guest] { guest->send_line("hello 1 Bo"); });
        guest_ears.push_back(listen_to(guest));
        hosts.push_back(std::make_unique<RelayGuestListener>());
        QObject::connect(hosts[i].get(), &RelayGuestListener::relay_failed, hosts[i].get(),
                         [&hosts_told, i](const LinkTrouble& why) { hosts_told[i] << link_words(why); });
        hosts[i]->listen(cases[i].address, match);
    }
    // The tries that go on are told at each: by the third of theirs, a second
    // try of a lasting failure would have been told too.
    const auto all_told = [&] {
        for (std::size_t i = 0; i < std::size(cases); ++i)
            if (guest_ears[i]->ended.isEmpty() || hosts_told[i].size() < (cases[i].lasting ? 1 : 3)) return false;
        return true;
    };
    ASSERT_TRUE(wait_until(all_told, 30'000));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(guest_ears[i]->ended.toStdString(), cases[i].told.toStdString());
        EXPECT_EQ(hosts_told[i].count(cases[i].told), hosts_told[i].size()) << hosts_told[i].join('\n').toStdString();
        EXPECT_TRUE(!cases[i].lasting || hosts_told[i].size() == 1);
    }
}

}  // namespace
