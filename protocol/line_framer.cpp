#include "protocol/line_framer.h"

#include "match/utf8.h"
#include "protocol/protocol_limits.h"

std::optional<std::string> LineFramer::refuse(Fault fault)
{
    fault_ = fault;
    pending_.clear();
    return std::nullopt;
}

std::optional<std::string> LineFramer::next_line()
{
    if (fault_ != Fault::none) return std::nullopt;
    const std::size_t end = pending_.find('\n');
    if (end == std::string::npos) {
        // Even with its end still to come the line would be too long.
        if (pending_.size() >= MAX_LINE_BYTES) return refuse(Fault::too_long);
        return std::nullopt;
    }
    if (end + 1 > MAX_LINE_BYTES) return refuse(Fault::too_long);
    std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!is_utf8(line)) return refuse(Fault::not_utf8);
    return line;
}
