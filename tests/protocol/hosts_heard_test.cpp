#include <gtest/gtest.h>

#include "protocol/hosts_heard.h"

TEST(HostsHeard, EachHostIsListedForSixSecondsAfterItWasLastHeard)
{
    HostsHeard heard;
    heard.heard("192.168.1.20", {47147, "Anna"}, 0);
    heard.heard("192.168.1.30", {5000, "Bo"}, 1000);
    heard.heard("192.168.1.20", {47147, "Anna"}, 4000);
    EXPECT_EQ(heard.current(5999), (std::vector<HeardHost>{{"192.168.1.20", 47147, "Anna", 4000},
                                                            {"192.168.1.30", 5000, "Bo", 1000}}));
    EXPECT_EQ(heard.current(7000), (std::vector<HeardHost>{{"192.168.1.20", 47147, "Anna", 4000}}));
    EXPECT_TRUE(heard.current(10'000).empty());
}

TEST(HostsHeard, AFloodOfAnnouncementsKeepsTheLatestThirtyTwo)
{
    HostsHeard heard;
    for (int k = 0; k < 1000; ++k) heard.heard("10.0.0.1", {static_cast<uint16_t>(1000 + k), "Host"}, k);
    const std::vector<HeardHost> listed = heard.current(1000);
    ASSERT_EQ(listed.size(), 32u);
    EXPECT_EQ(listed.front().port, 1968);
}
