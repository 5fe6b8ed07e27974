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

// What a player types to join: "HOST", "HOST:PORT", "IPv4:PORT", a bare IPv6
// address, "[IPv6]" or "[IPv6]:PORT". Without a port, 47147. An IPv4-mapped
// IPv6 address is read as the IPv4 address it carries. Nothing for an empty
// host, a port that is not 1 to 65535, or colons that make no IPv6 address.
std::optional<HostAndPort> parse_host_and_port(std::string_view text);

// The text that reads back as `address`: IPv6 in brackets, an IPv4-mapped
// address as IPv4.
std::string host_and_port_text(const HostAndPort& address);
