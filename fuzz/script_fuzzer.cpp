#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "match/script.h"

namespace {

void check_command(const ScriptCommand& command)
{
    const bool invalid = command.kind == CommandKind::invalid;
    fuzz_check(invalid == !command.error.empty(), "a line is refused exactly when it says why");
    fuzz_check(command.x >= 0 && command.x <= SCRIPT_MAX_X && command.y >= 0 && command.y <= SCRIPT_MAX_Y,
               "a position lies in the drawing area");
    fuzz_check(command.milliseconds >= 0 && command.milliseconds <= SCRIPT_MAX_WAIT_MS,
               "a wait lasts no more than its limit");
    fuzz_check(command.error.size() <= 120, "a refusal echoes only a few dozen bytes of the line");
    fuzz_check(std::none_of(command.error.begin(), command.error.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }),
               "a refusal shows no control byte as it is");
}

}  // namespace

// The bytes of a match script, cut into lines as the driver reads them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view rest = without_byte_order_mark({reinterpret_cast<const char*>(data), size});
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        check_command(parse_script_line(rest.substr(0, end)));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return 0;
}
