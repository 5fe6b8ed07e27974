#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <functional>

#include "net/lan_host_finder.h"
#include "app/link_words.h"
#include "net/network_match.h"
#include "tests/protocol/fake_match_table.h"

// Two network matches in one program over loopback, each on a stand-in
// table: what the window hears of a connection, and the local network's
// announcements. The protocol itself is the sessions' tests' and the drivers'.
namespace {

const QHostAddress LOOPBACK(QHostAddress::LocalHost);

// Lets the event loop run until `done`, for at most ten seconds.
bool wait_until(const std::function<bool()>& done)
{
    const QDeadlineTimer deadline(10'000);
    while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class Hosted : public testing::Test {
protected:
    void SetUp() override
    {
        LinkTrouble why;
        ASSERT_TRUE(host.host(LOOPBACK, 0, QStringLiteral("Anna"), why)) << link_words(why).toStdString();
        port = host.hosting_port();
    }

    FakeMatchTable host_table, guest_table;
    NetworkMatch host{host_table};
    NetworkMatch guest{guest_table};
    quint16 port = 0;
};

TEST_F(Hosted, EachSideNamesTheOtherAndHearsHowTheirConnectionEnded)
{
    QSignalSpy host_told(&host, &NetworkMatch::connection_ended);
    QSignalSpy guest_joined(&guest, &NetworkMatch::remote_joined);
    guest.join(TcpHost{QStringLiteral("127.0.0.1"), port}, QStringLiteral("Bo"));
    ASSERT_TRUE(wait_until([&] { return guest.connected() && host.connected(); }));
    EXPECT_EQ(guest_joined.at(0).at(0).toString(), QStringLiteral("Anna"));
    EXPECT_EQ(host.remote_name(), QStringLiteral("Bo"));

    guest.leave();
    ASSERT_TRUE(wait_until([&] { return !host.connected(); }));
    EXPECT_EQ(host_told.last().at(0).value<EndReason>(), EndReason::left);

    // The seat stays open. A line longer than the protocol's is answered with
    // a goodbye, and the seat is open again.
    QTcpSocket stranger;
    stranger.connectToHost(LOOPBACK, port);
    ASSERT_TRUE(stranger.waitForConnected(5000));
    stranger.write(QByteArray(5000, 'x'));
    QByteArray answer;
    ASSERT_TRUE(wait_until([&] {
        answer += stranger.readAll();
        return answer.endsWith('\n');
    }));
    EXPECT_EQ(answer, QByteArray("bye malformed\n"));
    QSignalSpy joined_again(&host, &NetworkMatch::remote_joined);
    guest.join(TcpHost{QStringLiteral("127.0.0.1"), port}, QStringLiteral("Bo"));
    ASSERT_TRUE(wait_until([&] { return joined_again.count() == 1; }));
}

TEST_F(Hosted, AGuestWhoseHostIsGoneCanJoinAgainAndOneWithoutAHostIsTold)
{
    guest.join(TcpHost{QStringLiteral("127.0.0.1"), port}, QStringLiteral("Bo"));
    ASSERT_TRUE(wait_until([&] { return guest.connected(); }));
    QSignalSpy guest_told(&guest, &NetworkMatch::connection_ended);
    host.leave();
    ASSERT_TRUE(wait_until([&] { return guest.can_join_again(); }));
    EXPECT_EQ(guest_told.last().at(0).value<EndReason>(), EndReason::left);

    QSignalSpy failed(&guest, &NetworkMatch::join_failed);
    guest.join_again();
    ASSERT_TRUE(wait_until([&] { return failed.count() == 1; }));
}

TEST_F(Hosted, AWaitingHostIsHeardOnTheLocalNetwork)
{
    LanHostFinder finder;
    ASSERT_TRUE(finder.listen(LOOPBACK, 0));
    NetworkMatch announcing(host_table);
    LinkTrouble why;
    ASSERT_TRUE(announcing.host(LOOPBACK, 0, QStringLiteral("Cy"), why));
    announcing.announce_while_waiting(LOOPBACK, finder.port());
    ASSERT_TRUE(wait_until([&] { return !finder.hosts().empty(); }));
    const HeardHost heard = finder.hosts().front();
    EXPECT_EQ(heard.name, "Cy");
    EXPECT_EQ(heard.address, "127.0.0.1");
    EXPECT_EQ(heard.port, announcing.hosting_port());
}

}  // namespace
