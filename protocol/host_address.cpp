#include "protocol/host_address.h"

#include <arpa/inet.h>

#include <charconv>

#include "protocol/protocol_limits.h"

namespace {

std::optional<uint16_t> read_port(std::string_view digits)
{
    unsigned value = 0;
    const std::from_chars_result read = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || read.ec != std::errc{} || read.ptr != digits.data() + digits.size() || value < 1
        || value > 65535)
        return std::nullopt;
    return static_cast<uint16_t>(value);
}

// An IPv6 address in its usual text, a zone ("%eth0") kept as it is; the
// IPv4 address it carries when it is IPv4-mapped. Nothing for any other text.
std::optional<std::string> read_ipv6(std::string_view text)
{
    const std::size_t zone = text.find('%');
    const std::string address(text.substr(0, zone));
    in6_addr bytes{};
    if (address.empty() || inet_pton(AF_INET6, address.c_str(), &bytes) != 1) return std::nullopt;
    if (zone == std::string_view::npos && IN6_IS_ADDR_V4MAPPED(&bytes)) {
        char v4[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &bytes.s6_addr[12], v4, sizeof v4);
        return std::string(v4);
    }
    return std::string(text);
}

std::optional<HostAndPort> with_port(std::optional<std::string> host, std::optional<std::string_view> port_text)
{
    if (!host || host->empty()) return std::nullopt;
    if (!port_text) return HostAndPort{std::move(*host), DEFAULT_PORT};
    const std::optional<uint16_t> port = read_port(*port_text);
    if (!port) return std::nullopt;
    return HostAndPort{std::move(*host), *port};
}

}  // namespace

std::optional<HostAndPort> parse_host_and_port(std::string_view text)
{
    if (text.starts_with('[')) {
        const std::size_t end = text.find(']');
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view after = text.substr(end + 1);
        if (!after.empty() && !after.starts_with(':')) return std::nullopt;
        return with_port(read_ipv6(text.substr(1, end - 1)),
                         after.empty() ? std::nullopt : std::optional(after.substr(1)));
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return with_port(std::string(text), std::nullopt);
    if (text.find(':', colon + 1) != std::string_view::npos) return with_port(read_ipv6(text), std::nullopt);
    return with_port(std::string(text.substr(0, colon)), text.substr(colon + 1));
}

std::string host_and_port_text(const HostAndPort& address)
{
    const std::optional<std::string> ipv6 = read_ipv6(address.host);
    const std::string port = ":" + std::to_string(address.port);
    if (ipv6 && ipv6->find(':') != std::string::npos) return "[" + *ipv6 + "]" + port;
    return ipv6.value_or(address.host) + port;
}
