#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "protocol/host_journal.h"

// A hosted match's journal as the disk gives it back, whatever happened to
// it: a journal that reads is written back to a text that reads the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = read_journal(text);
    const auto* journal = std::get_if<HostJournal>(&read);
    if (!journal) {
        fuzz_check(!std::get<JournalFault>(read).reason.empty(), "a journal that does not read says why");
        return 0;
    }
    fuzz_check(!journal->racks.empty(), "a journal that reads holds a rack");
    const auto again = read_journal(journal_text(*journal));
    fuzz_check(std::holds_alternative<HostJournal>(again) && std::get<HostJournal>(again) == *journal,
               "a journal written back reads the same");
    return 0;
}
