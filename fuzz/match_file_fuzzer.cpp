#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "fuzz/fuzz_check.h"
#include "match/match_file.h"
#include "match/table_check.h"
#include "rules/game_wiring.h"
#include "rules/random.h"

namespace {

void check_fault(const MatchFileFault& fault, std::string_view text)
{
    const auto lines = static_cast<long>(std::count(text.begin(), text.end(), '\n')) + 1;
    fuzz_check(fault.line >= 0 && fault.line <= lines, "a fault names a line of the file");
    fuzz_check(!fault.reason.empty(), "a fault says why");
    fuzz_check(fault.reason.size() <= 160, "a fault echoes only a few dozen bytes of the file");
}

// What the file opened to is what its match, saved again, opens to.
void check_reopened(const OpenedMatch& opened)
{
    const std::variant<std::string, ReplayFault> saved = match_file_text(opened.record, {}, opened.earlier_racks);
    fuzz_check(std::holds_alternative<std::string>(saved), "an opened record replays");
    const std::variant<OpenedMatch, MatchFileFault> reopened = open_match_text(std::get<std::string>(saved));
    fuzz_check(std::holds_alternative<OpenedMatch>(reopened), "a saved record opens");
    fuzz_check(std::get<OpenedMatch>(reopened).table.check_hash == opened.table.check_hash,
               "a saved record opens to the same table");
}

}  // namespace

// The bytes of a match file, opened as the window opens one, beside a live
// table that must stay as it was.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string live_table = table_state_without_time();
    const uint32_t live_praise = praise_state();
    const std::variant<OpenedMatch, MatchFileFault> opened = open_match_text(text);
    fuzz_check(table_state_without_time() == live_table && praise_state() == live_praise,
               "opening a file leaves the live table as it was");
    if (const auto* fault = std::get_if<MatchFileFault>(&opened))
        check_fault(*fault, text);
    else
        check_reopened(std::get<OpenedMatch>(opened));
    return 0;
}
