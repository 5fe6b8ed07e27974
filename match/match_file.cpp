#include "match/match_file.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "match/script.h"
#include "protocol/protocol_limits.h"

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

// Why a rack's inputs do not fit a file, on opening and on saving.
std::string too_many_inputs()
{
    return "more than " + std::to_string(MAX_RACK_INPUTS) + " inputs";
}

// The file so far, line by line.
struct Reading {
    MatchRecord record;
    std::vector<long> input_lines;  // where each input of the record stands
    bool has_praise = false;
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
    if (reading.record.inputs.size() == MAX_RACK_INPUTS) return too_many_inputs();
    reading.record.inputs.emplace_back(without_blanks(line));
    reading.input_lines.push_back(number);
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
    if (!reading.has_praise) return MatchFileFault{reading.check_line, "the file has no praise line"};
    return reading;
}

}  // namespace

std::string describe(const MatchFileFault& fault)
{
    if (fault.line == 0) return fault.reason;
    return "line " + std::to_string(fault.line) + ": " + fault.reason;
}

std::variant<std::string, ReplayFault> match_file_text(const MatchRecord& record, const MatchFileHeader& header)
{
    // Saved, it would be a file that cannot be opened.
    if (record.inputs.size() > MAX_RACK_INPUTS) return ReplayFault{MAX_RACK_INPUTS, too_many_inputs()};
    std::variant<TableSnapshot, ReplayFault> replayed = replay_record(record);
    if (const auto* fault = std::get_if<ReplayFault>(&replayed)) return *fault;
    std::string text = std::string(FORMAT_NAME) + std::string(FORMAT_VERSION) + "\n";
    text += "# Saved " + on_one_line(header.saved_at) + "\n";
    for (size_t seat = 0; seat < header.seats.size(); ++seat)
        text += "# Player " + std::to_string(seat + 1) + ": " + on_one_line(header.seats[seat]) + "\n";
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
    std::variant<TableSnapshot, ReplayFault> replayed = replay_record(reading.record);
    if (const auto* fault = std::get_if<ReplayFault>(&replayed))
        return MatchFileFault{reading.input_lines[fault->input], fault->reason};
    TableSnapshot& table = std::get<TableSnapshot>(replayed);
    if (table.check_hash != reading.check_hash)
        return MatchFileFault{reading.check_line, "the inputs lead to another table than the one saved"};
    return OpenedMatch{std::move(reading.record), std::move(table)};
}
