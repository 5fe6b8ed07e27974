#include "match/match_file.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "match/match_limits.h"
#include "match/script.h"

namespace {

constexpr std::string_view FORMAT_NAME = "# Corvenne match file, version ";
constexpr std::string_view FORMAT_VERSION = "1";
constexpr std::string_view CHECK_WORDS = "# check ";
constexpr size_t CHECK_DIGITS = 16;
constexpr std::string_view BLANKS = " \t\r\v\f";

std::string_view without_blanks(std::string_view line)
{
    const size_t start = line.find_first_not_of(BLANKS);
    if (start == std::string_view::npos) return {};
    return line.substr(start, line.find_last_not_of(BLANKS) - start + 1);
}

// A text from the window stays on its comment line, whatever it holds.
std::string on_one_line(std::string_view text)
{
    std::string line(text);
    std::replace_if(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; },
                    ' ');
    return line;
}

constexpr std::string_view NEW_RACK_LINE = "new";

// Why a rack's inputs, or the whole match's, do not fit a file, on opening and on saving.
std::string too_many_inputs()
{
    return "more than " + std::to_string(MAX_RACK_INPUTS) + " inputs";
}
std::string too_many_match_inputs()
{
    return "more than " + std::to_string(MAX_MATCH_FILE_INPUTS) + " inputs in the match";
}

// The file so far, line by line.
struct Reading {
    EarlierRacks earlier_racks;
    MatchRecord record;  // the rack being read
    // Where each input of the match stands, the new game after each earlier rack among them.
    std::vector<long> input_lines;
    bool has_praise = false;  // the rack being read has its praise line
    long check_line = 0;
    std::string check_hash;
};

std::string read_format_line(std::string_view line)
{
    line = without_blanks(without_byte_order_mark(line));
    if (!line.starts_with(FORMAT_NAME)) return "not a Corvenne match file";
    if (line.substr(FORMAT_NAME.size()) != FORMAT_VERSION)
        return "a match file of another version (this game reads version " + std::string(FORMAT_VERSION) + ")";
    return {};
}

std::string read_check_line(std::string_view line, long number, Reading& reading)
{
    const std::string_view digits = without_blanks(line.substr(CHECK_WORDS.size()));
    const bool is_hex = std::all_of(digits.begin(), digits.end(),
                                    [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
    if (digits.size() != CHECK_DIGITS || !is_hex) return "the check is not 16 hex digits";
    reading.check_line = number;
    reading.check_hash = digits;
    return {};
}

// Empty when line `number` of the body fits the file so far, else why not.
// An input that is a command but not a match's is left to the replay to refuse.
std::string read_body_line(std::string_view line, long number, Reading& reading)
{
    if (reading.check_line != 0)
        return without_blanks(line).empty() ? std::string() : "the match goes on after its check line";
    if (line.starts_with(CHECK_WORDS)) return read_check_line(line, number, reading);
    const ScriptCommand command = parse_script_line(line);
    switch (command.kind) {
    case CommandKind::invalid: return command.error;
    case CommandKind::nothing: return {};
    case CommandKind::praise:
        if (reading.has_praise || !reading.record.inputs.empty()) return "the praise line comes once, before the inputs";
        reading.has_praise = true;
        reading.record.praise_at_rack = command.praise_state;
        return {};
    default: break;
    }
    if (!reading.has_praise) return "an input comes before the praise line";
    if (reading.input_lines.size() == MAX_MATCH_FILE_INPUTS) return too_many_match_inputs();
    reading.input_lines.push_back(number);
    if (command.kind == CommandKind::new_game) {
        reading.earlier_racks.push_back(std::exchange(reading.record, {}));
        reading.has_praise = false;
        return {};
    }
    if (reading.record.inputs.size() == MAX_RACK_INPUTS) return too_many_inputs();
    reading.record.inputs.emplace_back(without_blanks(line));
    return {};
}

std::variant<Reading, MatchFileFault> read_lines(std::string_view text)
{
    const size_t first_end = text.find('\n');
    if (std::string fault = read_format_line(text.substr(0, first_end)); !fault.empty())
        return MatchFileFault{1, std::move(fault)};
    Reading reading;
    long number = 1;
    std::string_view rest = first_end == std::string_view::npos ? std::string_view() : text.substr(first_end + 1);
    while (!rest.empty()) {
        ++number;
        const size_t end = rest.find('\n');
        if (std::string fault = read_body_line(rest.substr(0, end), number, reading); !fault.empty())
            return MatchFileFault{number, std::move(fault)};
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    if (reading.check_line == 0) return MatchFileFault{number, "the file ends without its check line"};
    if (!reading.has_praise)
        return MatchFileFault{reading.check_line, reading.earlier_racks.empty() ? "the file has no praise line"
                                                                                : "the last rack has no praise line"};
    return reading;
}

// Saved, a match beyond a file's bounds would be a file that cannot be
// opened: the fault is the first input beyond them, counted through the
// whole match as its replay counts.
std::optional<ReplayFault> too_long_to_open(const EarlierRacks& earlier_racks, const MatchRecord& record)
{
    size_t inputs = 0;  // of the racks so far, with the new game after each earlier one
    for (size_t r = 0; r <= earlier_racks.size(); ++r) {
        const MatchRecord& rack = r < earlier_racks.size() ? earlier_racks[r] : record;
        if (rack.inputs.size() > MAX_RACK_INPUTS) return ReplayFault{inputs + MAX_RACK_INPUTS, too_many_inputs()};
        inputs += rack.inputs.size() + (r < earlier_racks.size() ? 1 : 0);
    }
    if (inputs > MAX_MATCH_FILE_INPUTS) return ReplayFault{MAX_MATCH_FILE_INPUTS, too_many_match_inputs()};
    return std::nullopt;
}

}  // namespace

std::string describe(const MatchFileFault& fault)
{
    if (fault.line == 0) return fault.reason;
    return "line " + std::to_string(fault.line) + ": " + fault.reason;
}

std::variant<std::string, ReplayFault> match_file_text(const MatchRecord& record, const MatchFileHeader& header,
                                                       const EarlierRacks& earlier_racks)
{
    if (std::optional<ReplayFault> fault = too_long_to_open(earlier_racks, record)) return *fault;
    std::variant<TableSnapshot, ReplayFault> replayed = replay_match(earlier_racks, record);
    if (const auto* fault = std::get_if<ReplayFault>(&replayed)) return *fault;
    std::string text = std::string(FORMAT_NAME) + std::string(FORMAT_VERSION) + "\n";
    text += "# Saved " + on_one_line(header.saved_at) + "\n";
    for (size_t seat = 0; seat < header.seats.size(); ++seat)
        text += "# Player " + std::to_string(seat + 1) + ": " + on_one_line(header.seats[seat]) + "\n";
    for (const MatchRecord& rack : earlier_racks) text += script_text(rack) + std::string(NEW_RACK_LINE) + "\n";
    text += script_text(record);
    text += std::string(CHECK_WORDS) + std::get<TableSnapshot>(replayed).check_hash + "\n";
    return text;
}

std::variant<OpenedMatch, MatchFileFault> open_match_text(std::string_view text)
{
    if (text.size() > MATCH_FILE_MAX_BYTES) return MatchFileFault{0, "the file is over 1 MB"};
    std::variant<Reading, MatchFileFault> read = read_lines(text);
    if (const auto* fault = std::get_if<MatchFileFault>(&read)) return *fault;
    Reading& reading = std::get<Reading>(read);
    SeriesCount won;
    const auto rack_replaced = [&won](int winner) {
        won.rack_looked_at(winner);
        won.new_rack();
    };
    std::variant<TableSnapshot, ReplayFault> replayed =
        replay_match(reading.earlier_racks, reading.record, rack_replaced);
    if (const auto* fault = std::get_if<ReplayFault>(&replayed))
        return MatchFileFault{reading.input_lines[fault->input], fault->reason};
    TableSnapshot& table = std::get<TableSnapshot>(replayed);
    if (table.check_hash != reading.check_hash)
        return MatchFileFault{reading.check_line, "the inputs lead to another table than the one saved"};
    return OpenedMatch{std::move(reading.record), std::move(table), std::move(reading.earlier_racks), won};
}
