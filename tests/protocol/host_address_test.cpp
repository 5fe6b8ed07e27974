#include <gtest/gtest.h>

#include "protocol/host_address.h"

TEST(HostAddress, WhatAPlayerTypesToJoin)
{
    struct Row {
        const char* text;
        std::optional<HostAndPort> read;
    };
    const Row rows[] = {
        {"anna.local", HostAndPort{"anna.local", 47147}},
        {"anna.local:5000", HostAndPort{"anna.local", 5000}},
        {"192.168.1.20:5000", HostAndPort{"192.168.1.20", 5000}},
        {"::1", HostAndPort{"::1", 47147}},
        {"fe80::1%eth0", HostAndPort{"fe80::1%eth0", 47147}},
        {"[fe80::1]:65535", HostAndPort{"fe80::1", 65535}},
        {"[::1]", HostAndPort{"::1", 47147}},
        {"::ffff:192.0.2.2", HostAndPort{"192.0.2.2", 47147}},
        {"[::ffff:192.0.2.2]:48100", HostAndPort{"192.0.2.2", 48100}},
        // A heard host once written with its port after the mapped address.
        {"::ffff:192.0.2.2:48100", std::nullopt},
        {"fe80::1:5000:x", std::nullopt},
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
        {"[anna.local]:5000", std::nullopt},
    };
    for (const Row& row : rows) EXPECT_EQ(parse_host_and_port(row.text), row.read) << row.text;
}

TEST(HostAddress, AnAddressWrittenOutReadsBack)
{
    struct Row {
        HostAndPort address;
        const char* text;
        const char* read_host;
    };
    const Row rows[] = {
        {{"::ffff:192.0.2.2", 48100}, "192.0.2.2:48100", "192.0.2.2"},
        {{"fe80::1", 47147}, "[fe80::1]:47147", "fe80::1"},
        {{"anna.local", 5000}, "anna.local:5000", "anna.local"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(host_and_port_text(row.address), row.text);
        EXPECT_EQ(parse_host_and_port(row.text), (HostAndPort{row.read_host, row.address.port})) << row.text;
    }
}
