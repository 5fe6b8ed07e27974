#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "protocol/guest_session.h"
#include "protocol/host_session.h"
#include "protocol/protocol_limits.h"
#include "tests/protocol/fake_match_table.h"

namespace {

// The fuzzer's bytes read one step at a time: a step's kind, its small
// numbers, and the text of a line up to its line feed.
class Steps {
public:
    explicit Steps(std::string_view bytes) : bytes_(bytes) {}
    bool done() const { return at_ >= bytes_.size(); }
    uint8_t byte() { return done() ? 0 : static_cast<uint8_t>(bytes_[at_++]); }
    std::string_view line()
    {
        const std::size_t end = std::min(bytes_.find('\n', at_), std::min(bytes_.size(), at_ + MAX_LINE_BYTES));
        const std::string_view text = bytes_.substr(at_, end - at_);
        at_ = end + 1;
        return text;
    }
    Input input()
    {
        const auto kind = static_cast<InputKind>(byte() % 4);
        return Input{kind, byte() % 8, byte() % 8};
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

void check_lines(const SessionOutput& output)
{
    for (const std::string& line : output.lines)
        fuzz_check(parse_message(line).has_value(), "a session sends only protocol lines");
}

// A host and a guest wired to each other as a hosting window and a joining
// one are, with a hostile peer able to speak on either connection, open new
// ones and end them, while both players play.
class Match {
public:
    void step(Steps& steps)
    {
        switch (steps.byte() % 12) {
        case 0: host_.receive(steps.line(), now_); break;
        case 1: guest_->receive(steps.line(), now_); break;
        case 2: open(steps.line(), false); break;
        case 3: join_again(steps.byte() % 2 == 0); break;
        case 4: host_.connection_closed(); break;
        case 5: guest_->connection_closed(); break;
        case 6: host_.play(steps.input()); break;
        case 7: guest_->play(steps.input()); break;
        case 8: now_ += steps.byte() * 100; break;
        case 9: host_table_.rolling = guest_table_.rolling = false; break;
        case 10:
            host_.answer_new_game(steps.byte() % 2 == 0);
            guest_->answer_new_game(steps.byte() % 2 == 0);
            break;
        default:
            if (steps.byte() % 2 == 0)
                host_.leave();
            else
                guest_->leave();
            break;
        }
        host_.pump(now_);
        guest_->pump(now_);
        carry();
    }

private:
    // A connection's opening line, answered as the hosting window does; the
    // guest of this match is on it when `ours`.
    void open(std::string_view first_line, bool ours)
    {
        if (const std::optional<ByeReason> bye = host_.answer_opening(first_line)) {
            if (ours) guest_->receive(format_message(Bye{*bye}), now_);
            return;
        }
        if (host_.guest_seated()) {
            host_.replace_guest();
            check_lines(host_.take_output());
        }
        host_.seat(first_line, now_);
        paired_ = ours;
    }

    void join_again(bool with_token)
    {
        const std::optional<std::string> token = with_token ? guest_->seat_token() : std::nullopt;
        guest_.emplace(guest_table_, "Bo", token);
        guest_->connected(now_);
        const SessionOutput opening = guest_->take_output();
        check_lines(opening);
        open(opening.lines.at(0), true);
    }

    // The lines both ways while the guest is on the seated connection, a few rounds at most.
    void carry()
    {
        for (int round = 0; round < 8; ++round) {
            const SessionOutput from_host = host_.take_output();
            const SessionOutput from_guest = guest_->take_output();
            check_lines(from_host);
            check_lines(from_guest);
            if (!paired_ || (from_host.lines.empty() && from_guest.lines.empty())) return;
            for (const std::string& line : from_host.lines) guest_->receive(line, now_);
            for (const std::string& line : from_guest.lines) host_.receive(line, now_);
            if (from_host.close) guest_->connection_closed();
            if (from_guest.close) host_.connection_closed();
            paired_ = !from_host.close && !from_guest.close;
        }
    }

    FakeMatchTable host_table_, guest_table_;
    HostSession host_{host_table_, "Anna"};
    std::optional<GuestSession> guest_{std::in_place, guest_table_, "Bo"};
    bool paired_ = false;
    int64_t now_ = 0;
};

}  // namespace

// Steps, each a kind byte and what it needs; a line runs to its line feed.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Steps steps(std::string_view(reinterpret_cast<const char*>(data), size));
    Match match;
    while (!steps.done()) match.step(steps);
    return 0;
}
