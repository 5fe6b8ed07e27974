#include <gtest/gtest.h>

#include "app/link_words.h"
#include "app/network_words.h"

// The sentences no window or driver test comes to: the ways a connection
// ends, said with and without the other player's name, and the ways hosting
// or a connection cannot begin.
TEST(NetworkWords, EveryWayAMatchEndsIsToldWithOrWithoutAName)
{
    const struct {
        EndReason reason;
        const char* named;
        const char* unnamed;
    } cases[] = {
        {EndReason::left, "Anna left the game", "The other player left the game"},
        {EndReason::malformed, "Anna's game sent what this game cannot read",
         "The other player's game sent what this game cannot read"},
        {EndReason::version, "Anna's game speaks another version", "The other player's game speaks another version"},
        {EndReason::busy, "Anna's game already has a second player",
         "The other player's game already has a second player"},
        {EndReason::lost, "The connection to Anna was lost", "The connection to the other player was lost"},
    };
    for (const auto& told : cases) {
        EXPECT_EQ(end_sentence(QStringLiteral("Anna"), told.reason).toStdString(), told.named);
        EXPECT_EQ(end_sentence({}, told.reason).toStdString(), told.unnamed);
    }
}

TEST(NetworkWords, HostingAndConnectingFailuresNameWhereAndWhatToCheck)
{
    using Kind = LinkTrouble::Kind;
    const struct {
        LinkTrouble trouble;
        const char* told;
    } cases[] = {
        {{Kind::port_in_use, {}, 47147}, "Port 47147 is in use on this computer: is a game hosting already? Choose "
                                         "another port."},
        {{Kind::port_forbidden, {}, 80},
         "This computer does not let a game host on port 80: choose a port above 1023."},
        {{Kind::unknown_host, QStringLiteral("anna.local"), 47147},
         "No computer is known as anna.local: is the address right?"},
        {{Kind::cut, QStringLiteral("::1"), 47147},
         "The connection to [::1]:47147 was cut: is the game hosting there?"},
    };
    for (const auto& failure : cases) EXPECT_EQ(link_words(failure.trouble).toStdString(), failure.told);
}
