#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct HostAndPort {
    std::string host;
    uint16_t port = 0;
    bool operator==(const HostAndPort&) const = default;
};

// What a player types to join: "HOST", "HOST:PORT", "[IPv6]" or
// "[IPv6]:PORT"; a bare IPv6 address is all host. Without a port, 47147.
// Nothing for an empty host or a port that is not 1 to 65535.
std::optional<HostAndPort> parse_host_and_port(std::string_view text);
