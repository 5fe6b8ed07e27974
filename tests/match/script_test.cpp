#include <gtest/gtest.h>

#include "match/script.h"

namespace {

std::string error_of(std::string_view line)
{
    const ScriptCommand command = parse_script_line(line);
    EXPECT_EQ(command.kind, CommandKind::invalid) << line;
    return command.error;
}

// A line that is read, and the command it gives: kind, X, Y, milliseconds,
// level and praise state.
struct ReadLine {
    const char* line;
    CommandKind kind;
    int x = 0, y = 0, milliseconds = 0, level = 0;
    uint32_t praise_state = 0;
};

const ReadLine READ_LINES[] = {
    {"move 0 0", CommandKind::move},
    {"press 704 383", CommandKind::press, 704, 383},
    {"shot 12 345", CommandKind::shot, 12, 345},
    {"wait 3600000", CommandKind::wait, 0, 0, 3'600'000},
    {"wait 0", CommandKind::wait},
    {"settle", CommandKind::settle},
    {"undo", CommandKind::undo},
    {"new", CommandKind::new_game},
    {"state", CommandKind::state},
    {"pixels", CommandKind::pixels},
    {"computer 1", CommandKind::computer, 0, 0, 0, 1},
    {"computer 4", CommandKind::computer, 0, 0, 0, 4},
    {"praise 4294967295", CommandKind::praise, 0, 0, 0, 0, 4'294'967'295U},
    {"praise 0", CommandKind::praise},
    {"await", CommandKind::await},
    {"leave", CommandKind::leave},
    // Words may be separated by any run of blanks.
    {"  \tmove   5\t\t6  \r", CommandKind::move, 5, 6},
    {"state\r", CommandKind::state},
    // Blank lines and comments do nothing.
    {"", CommandKind::nothing},
    {"   ", CommandKind::nothing},
    {"\t", CommandKind::nothing},
    {"#", CommandKind::nothing},
    {"# a comment", CommandKind::nothing},
    {"   #indented, with words shot 1 2", CommandKind::nothing},
};

TEST(ScriptLine, ReadsEveryCommandWithItsNumbers)
{
    for (const ReadLine& read : READ_LINES) {
        SCOPED_TRACE('"' + std::string(read.line) + '"');
        const ScriptCommand command = parse_script_line(read.line);
        EXPECT_EQ(command.error, "");
        EXPECT_EQ(command.kind, read.kind);
        EXPECT_EQ(command.x, read.x);
        EXPECT_EQ(command.y, read.y);
        EXPECT_EQ(command.milliseconds, read.milliseconds);
        EXPECT_EQ(command.level, read.level);
        EXPECT_EQ(command.praise_state, read.praise_state);
    }
}

// A line that is not a command is refused with the reason; the driver prints it.
const std::pair<const char*, const char*> REFUSED_LINES[] = {
    {"bogus 1 2", "unknown command \"bogus\""},
    {"State", "unknown command \"State\""},
    {"shot1 2", "unknown command \"shot1\""},
    {"move 5", "move: missing Y"},
    {"shot", "shot: missing X"},
    {"wait", "wait: missing MS"},
    {"state now", "state: unexpected \"now\""},
    {"press 1 2 3", "press: unexpected \"3\""},
    {"wait 10 ms", "wait: unexpected \"ms\""},
    {"settle # until still", "settle: unexpected \"#\""},  // a comment is a whole line, never the end of one
    {"move 705 0", "move: X 705 is out of range (0 to 704)"},
    {"press 0 384", "press: Y 384 is out of range (0 to 383)"},
    {"shot -1 10", "shot: X -1 is out of range (0 to 704)"},
    {"wait 3600001", "wait: MS 3600001 is out of range (0 to 3600000)"},
    {"computer 0", "computer: LEVEL 0 is out of range (1 to 4)"},
    {"computer 5", "computer: LEVEL 5 is out of range (1 to 4)"},
    {"praise 4294967296", "praise: R 4294967296 is out of range (0 to 4294967295)"},
    {"praise -1", "praise: R -1 is out of range (0 to 4294967295)"},
    {"praise", "praise: missing R"},
    {"host 0 Anna", "host: PORT 0 is out of range (1 to 65535)"},
    {"join 65536 Bo", "join: PORT 65536 is out of range (1 to 65535)"},
    {"join", "join: missing PORT"},
    {"host 47147", "host: missing NAME"},
    {"host 47147 Abcdefghijklmnopqrstuvwxy",
     "host: NAME \"Abcdefghijklmnopqrstuvwxy\" is not 1 to 24 characters without a control character"},
    {"join 47147 Bo\tLi", "join: NAME \"Bo\\x09Li\" is not 1 to 24 characters without a control character"},
    {"join-relay 1883", "join-relay: missing CODE"},
    {"join-relay 1883 7K3QM-2B9XD", "join-relay: missing NAME"},
    {"host-relay", "host-relay: missing RELAY"},
    {"watch-relay 0 7K3QM-2B9XD Cleo", "watch-relay: PORT 0 is out of range (1 to 65535)"},
    {"await now", "await: unexpected \"now\""},
    {"host-resume", "host-resume: missing PATH"},
    {"wait 4294967296", "wait: MS 4294967296 is out of range (0 to 3600000)"},
    {"move 99999999999999999999999 1", "move: X 99999999999999999999999 is out of range (0 to 704)"},
    {"wait 10ms", "wait: MS \"10ms\" is not a whole number"},
    {"move 1.5 2", "move: X \"1.5\" is not a whole number"},
    {"move 3 +4", "move: Y \"+4\" is not a whole number"},
    {"press 0x10 4", "press: X \"0x10\" is not a whole number"},
    {"wait -", "wait: MS \"-\" is not a whole number"},
    {"shot 1,2 3", "shot: X \"1,2\" is not a whole number"},
};

// A network command's name is the rest of the line, without blanks at either end.
TEST(ScriptLine, ANetworkCommandNamesItsPlayerWithTheRestOfTheLine)
{
    const ScriptCommand host = parse_script_line("host 47147   Anna Maria von Brücken \r");
    EXPECT_EQ(host.kind, CommandKind::host);
    EXPECT_EQ(host.port, 47147);
    EXPECT_EQ(host.name, "Anna Maria von Brücken");
    const ScriptCommand join = parse_script_line("join 1 #2");
    EXPECT_EQ(join.kind, CommandKind::join);
    EXPECT_EQ(join.port, 1);
    EXPECT_EQ(join.name, "#2");
    const ScriptCommand relay = parse_script_line("join-relay mqtts://relay.example:8883 7k3qm-2b9xd  Bo Li");
    EXPECT_EQ(relay.kind, CommandKind::join_relay);
    EXPECT_EQ(relay.relay, "mqtts://relay.example:8883");
    EXPECT_EQ(relay.code, "7k3qm-2b9xd");
    EXPECT_EQ(relay.name, "Bo Li");
    EXPECT_EQ(parse_script_line("host-relay 1883 Anna").relay, "1883");
    const ScriptCommand journal = parse_script_line("journal  /tmp/a match.journal ");
    EXPECT_EQ(journal.kind, CommandKind::journal);
    EXPECT_EQ(journal.path, "/tmp/a match.journal");
}

TEST(ScriptLine, ARefusedLineSaysWhy)
{
    for (const auto& [line, error] : REFUSED_LINES) EXPECT_EQ(error_of(line), error) << line;
}

std::string repeated(std::string_view piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

// A line of junk cannot flood or garble the terminal: the echo of a word is
// cut after about forty bytes, between characters, and shows control bytes.
TEST(ScriptLine, AnEchoedWordIsCutShortAndShowsItsControlBytes)
{
    const std::string long_word = repeated("w", 50'000);
    const std::string accents = "x" + repeated("é", 30);  // its fortieth byte is inside a character
    const std::pair<std::string, std::string> cases[] = {
        {std::string("bo\0gus\x1b\x7f", 8), R"(unknown command "bo\x00gus\x1b\x7f")"},
        {std::string(100, '\0'), "unknown command \"" + repeated("\\x00", 10) + "...\""},
        {long_word, "unknown command \"" + repeated("w", 40) + "...\""},
        {"state " + long_word, "state: unexpected \"" + repeated("w", 40) + "...\""},
        {"host-relay " + long_word + " Anna", "host-relay: RELAY \"" + repeated("w", 40) + "...\" is too long"},
        {"wait " + repeated("9", 50'000), "wait: MS " + repeated("9", 40) + "... is out of range (0 to 3600000)"},
        {accents, "unknown command \"x" + repeated("é", 20) + "...\""},
        {repeated("\xAC", 100), "unknown command \"" + repeated("\xAC", 43) + "...\""},  // no character starts
    };
    for (const auto& [line, error] : cases) EXPECT_EQ(error_of(line), error);
}

}  // namespace
