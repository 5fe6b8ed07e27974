#include <gtest/gtest.h>

#include "net/host_address.h"

TEST(HostAddress, WhatAPlayerTypesToJoin)
{
    struct Row {
        const char* text;
        std::optional<HostAndPort> read;
    };
    const Row rows[] = {
        {"anna.local", HostAndPort{"anna.local", 47147}},
        {"192.168.1.20:5000", HostAndPort{"192.168.1.20", 5000}},
        {"::1", HostAndPort{"::1", 47147}},
        {"[fe80::1]:65535", HostAndPort{"fe80::1", 65535}},
        {"[::1]", HostAndPort{"::1", 47147}},
        {"", std::nullopt},
        {":5000", std::nullopt},
        {"host:", std::nullopt},
        {"host:0", std::nullopt},
        {"host:65536", std::nullopt},
        {"host:50x", std::nullopt},
        {"host:-1", std::nullopt},
        {"[::1", std::nullopt},
        {"[::1]5000", std::nullopt},
        {"[]:5000", std::nullopt},
    };
    for (const Row& row : rows) EXPECT_EQ(parse_host_and_port(row.text), row.read) << row.text;
}
