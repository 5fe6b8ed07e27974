#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "match/state_line_reader.h"
#include "match/utf8.h"
#include "protocol/line_framer.h"
#include "protocol/message.h"
#include "protocol/protocol_limits.h"
#include "sim/table_geometry.h"

namespace {

void check_line(const std::string& line)
{
    fuzz_check(line.size() < MAX_LINE_BYTES, "a line with its end is at most 4096 bytes");
    fuzz_check(is_utf8(line), "a line is UTF-8");
    const std::optional<Message> message = parse_message(line);
    if (!message) return;
    // Greetings of another version are read by their number alone.
    const auto* hello = std::get_if<Hello>(&*message);
    const auto* again = std::get_if<Again>(&*message);
    const auto* welcome = std::get_if<Welcome>(&*message);
    const auto* watch = std::get_if<Watch>(&*message);
    const bool other_version = (hello && hello->version != PROTOCOL_VERSION)
                               || (again && again->version != PROTOCOL_VERSION)
                               || (welcome && welcome->version != PROTOCOL_VERSION)
                               || (watch && watch->version != PROTOCOL_VERSION);
    if (!other_version) fuzz_check(format_message(*message) == line, "a line that is read writes back the same");
    if (const auto* aim = std::get_if<Aim>(&*message))
        fuzz_check(aim->x >= 0 && aim->x < DRAWING_AREA_WIDTH && aim->y >= 0 && aim->y < DRAWING_AREA_HEIGHT,
                   "an aim lies in the drawing area");
    if (const auto* sync = std::get_if<Sync>(&*message)) {
        if (const std::optional<StateLine> state = read_state_line(sync->state))
            fuzz_check(state->current_player == 1 || state->current_player == 2, "a state's player is 1 or 2");
    }
}

}  // namespace

// The bytes a peer sends, in pieces of up to a line as the connection reads
// them, cut into lines and each read as a message; a datagram of the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    parse_announcement(bytes);
    LineFramer framer;
    for (size_t at = 0; at < bytes.size() && framer.fault() == LineFramer::Fault::none; at += MAX_LINE_BYTES) {
        framer.add(bytes.substr(at, MAX_LINE_BYTES));
        while (const std::optional<std::string> line = framer.next_line()) check_line(*line);
    }
    return 0;
}
