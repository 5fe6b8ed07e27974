#include "protocol/host_journal.h"

#include <algorithm>
#include <limits>

#include "match/match_limits.h"
#include "match/utf8.h"
#include "protocol/protocol_limits.h"
#include "protocol/words.h"

namespace {

constexpr std::string_view FIRST_LINE = "corvenne-journal 1";
constexpr std::string_view ANY_VERSION = "corvenne-journal ";
constexpr std::string_view CODE_ALPHABET = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr std::size_t CODE_LENGTH = 10;
// A host name of the internet and its port, with the scheme.
constexpr std::size_t MAX_RELAY_ADDRESS = 300;

bool is_code(std::string_view word)
{
    return word.size() == CODE_LENGTH
           && std::all_of(word.begin(), word.end(), [](char c) { return CODE_ALPHABET.find(c) != std::string_view::npos; });
}

bool is_relay_address(std::string_view word)
{
    return !word.empty() && word.size() <= MAX_RELAY_ADDRESS
           && std::all_of(word.begin(), word.end(), [](char c) { return c > ' ' && c < 127; });
}

std::string side_word(Side side)
{
    return side == Side::host ? "host" : "guest";
}

std::optional<JournalPlace> read_place(std::string_view line)
{
    const Cut cut = cut_first_word(line);
    if (cut.word == "port" && cut.rest) {
        const std::optional<uint32_t> port = read_number(*cut.rest, 0, std::numeric_limits<uint16_t>::max());
        if (!port || *port == 0) return std::nullopt;
        return static_cast<uint16_t>(*port);
    }
    if (cut.word != "relay" || !cut.rest) return std::nullopt;
    const Cut address = cut_first_word(*cut.rest);
    if (!address.rest || !is_relay_address(address.word)) return std::nullopt;
    const Cut code = cut_first_word(*address.rest);
    if (!is_code(code.word) || (code.rest && !is_code(*code.rest))) return std::nullopt;
    return JournalRelay{std::string(address.word), std::string(code.word), std::string(code.rest.value_or(""))};
}

// Reads a journal line by line; each reading returns the fault of its line.
class JournalReader {
public:
    std::optional<std::string> read(std::size_t number, std::string_view line)
    {
        switch (number) {
        case 1: return read_first(line);
        case 2: return read_player(line);
        case 3: return read_where(line);
        default: return read_match(line);
        }
    }

    std::variant<HostJournal, JournalFault> finish(std::size_t lines)
    {
        if (lines < 3) return JournalFault{0, "the journal ends before it says where the match was hosted"};
        // The new game was written before it was sent, and its rack after: it was never sent.
        if (awaiting_rack_) journal_.racks.back().inputs.pop_back();
        if (journal_.racks.empty()) return JournalFault{0, "no guest ever had the match"};
        return journal_;
    }

private:
    static std::optional<std::string> read_first(std::string_view line)
    {
        if (line == FIRST_LINE) return std::nullopt;
        if (line.starts_with(ANY_VERSION)) return "a journal of another version";
        return "not a match journal";
    }

    std::optional<std::string> read_player(std::string_view line)
    {
        const Cut cut = cut_first_word(line);
        if (cut.word != "player" || !cut.rest || !is_player_name(*cut.rest)) return "not the player's name";
        journal_.player = *cut.rest;
        return std::nullopt;
    }

    std::optional<std::string> read_where(std::string_view line)
    {
        const std::optional<JournalPlace> place = read_place(line);
        if (!place) return "not a port, nor a relay and its codes";
        journal_.place = *place;
        return std::nullopt;
    }

    std::optional<std::string> read_match(std::string_view line)
    {
        const Cut cut = cut_first_word(line);
        if (!cut.rest) return "not a line of a match journal";
        if (cut.word == "seat") return read_seat(*cut.rest);
        if (cut.word == "rack") return read_rack(*cut.rest);
        if (cut.word == "host") return read_input(Side::host, *cut.rest);
        if (cut.word == "guest") return read_input(Side::guest, *cut.rest);
        return "not a line of a match journal";
    }

    std::optional<std::string> read_seat(std::string_view rest)
    {
        const Cut token = cut_first_word(rest);
        const std::optional<Message> seat = parse_message("seat " + std::string(token.word));
        if (!seat || !token.rest || !is_player_name(*token.rest)) return "not a seat's token and a guest's name";
        journal_.seat_token = std::get<SeatToken>(*seat).token;
        journal_.guest = *token.rest;
        return std::nullopt;
    }

    std::optional<std::string> read_rack(std::string_view rest)
    {
        const Cut praise_word = cut_first_word(rest);
        const Cut first_word = cut_first_word(praise_word.rest.value_or(""));
        constexpr uint32_t most = std::numeric_limits<uint32_t>::max();
        const std::optional<uint32_t> praise = read_number(praise_word.word, 0, most);
        const std::optional<uint32_t> first = read_number(first_word.word, 0, most);
        const std::optional<uint32_t> second = read_number(first_word.rest.value_or(""), 0, most);
        if (!praise || !first || !second) return "not a praise state and the racks won";
        if (journal_.seat_token.empty()) return "a rack before any guest sat down";
        if (!journal_.racks.empty() && !awaiting_rack_) return "a rack without a new game before it";
        const RacksWon won{*first, *second};
        if (!follows(won)) return "racks won that the racks before cannot have made";
        journal_.racks.push_back({*praise, won, {}});
        awaiting_rack_ = false;
        return std::nullopt;
    }

    std::optional<std::string> read_input(Side side, std::string_view rest)
    {
        const std::optional<Message> message = parse_message(rest);
        const auto* numbered = message ? std::get_if<NumberedInput>(&*message) : nullptr;
        if (!numbered) return "not a numbered input";
        if (journal_.racks.empty() || awaiting_rack_) return "an input outside a rack";
        const uint32_t expected = journal_.last_number() + 1;
        if (numbered->number != expected) return "input " + std::to_string(expected) + " was expected";
        std::vector<JournalInput>& inputs = journal_.racks.back().inputs;
        if (inputs.size() >= MAX_RACK_INPUTS) return "more inputs in one rack than a match holds";
        inputs.push_back({side, *numbered});
        awaiting_rack_ = numbered->input.kind == InputKind::new_game;
        return std::nullopt;
    }

    // The match starts from none; each next rack adds at most the rack before it.
    bool follows(const RacksWon& won) const
    {
        if (journal_.racks.empty()) return won == RacksWon{};
        const RacksWon& before = journal_.racks.back().won_before;
        return won[0] >= before[0] && won[1] >= before[1] && uint64_t{won[0]} + won[1] - before[0] - before[1] <= 1;
    }

    HostJournal journal_;
    bool awaiting_rack_ = false;
};

}  // namespace

uint32_t HostJournal::last_number() const
{
    for (auto rack = racks.rbegin(); rack != racks.rend(); ++rack)
        if (!rack->inputs.empty()) return rack->inputs.back().numbered.number;
    return 0;
}

std::string JournalFault::text() const
{
    if (line == 0) return reason;
    return "line " + std::to_string(line) + ": " + reason;
}

std::string journal_head(const HostJournal& journal)
{
    std::string where;
    if (const auto* port = std::get_if<uint16_t>(&journal.place)) {
        where = "port " + std::to_string(*port);
    } else {
        const auto& relay = std::get<JournalRelay>(journal.place);
        where = "relay " + relay.address + " " + relay.match_code;
        if (!relay.watch_code.empty()) where += " " + relay.watch_code;
    }
    return std::string(FIRST_LINE) + "\nplayer " + journal.player + "\n" + where + "\n";
}

std::string seat_line(std::string_view token, std::string_view guest)
{
    return "seat " + std::string(token) + " " + std::string(guest) + "\n";
}

std::string rack_line(uint32_t praise, const RacksWon& won_before)
{
    return "rack " + std::to_string(praise) + " " + std::to_string(won_before[0]) + " " + std::to_string(won_before[1])
           + "\n";
}

std::string input_line(const JournalInput& input)
{
    return side_word(input.side) + " " + format_message(input.numbered) + "\n";
}

std::string journal_text(const HostJournal& journal)
{
    std::string text = journal_head(journal) + seat_line(journal.seat_token, journal.guest);
    for (const JournalRack& rack : journal.racks) {
        text += rack_line(rack.praise, rack.won_before);
        for (const JournalInput& input : rack.inputs) text += input_line(input);
    }
    return text;
}

std::variant<HostJournal, JournalFault> read_journal(std::string_view text)
{
    if (text.size() > MAX_JOURNAL_BYTES) return JournalFault{0, "the journal is larger than a match can make it"};
    JournalReader reader;
    std::size_t number = 0;
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos; text.remove_prefix(end + 1)) {
        ++number;
        if (end + 1 > MAX_LINE_BYTES) return JournalFault{number, "a line too long"};
        const std::string_view line = text.substr(0, end);
        if (!is_utf8(line)) return JournalFault{number, "not UTF-8"};
        if (std::optional<std::string> fault = reader.read(number, line)) return JournalFault{number, *fault};
    }
    return reader.finish(number);
}
