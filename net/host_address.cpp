#include "net/host_address.h"

#include <charconv>

#include "net/protocol_limits.h"

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

std::optional<HostAndPort> with_port(std::string_view host, std::optional<std::string_view> port_text)
{
    if (host.empty()) return std::nullopt;
    if (!port_text) return HostAndPort{std::string(host), DEFAULT_PORT};
    const std::optional<uint16_t> port = read_port(*port_text);
    if (!port) return std::nullopt;
    return HostAndPort{std::string(host), *port};
}

}  // namespace

std::optional<HostAndPort> parse_host_and_port(std::string_view text)
{
    if (text.starts_with('[')) {
        const std::size_t end = text.find(']');
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view after = text.substr(end + 1);
        if (!after.empty() && !after.starts_with(':')) return std::nullopt;
        return with_port(text.substr(1, end - 1), after.empty() ? std::nullopt : std::optional(after.substr(1)));
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || text.find(':', colon + 1) != std::string_view::npos)
        return with_port(text, std::nullopt);
    return with_port(text.substr(0, colon), text.substr(colon + 1));
}
