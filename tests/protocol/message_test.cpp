#include <gtest/gtest.h>

#include <string>

#include "protocol/line_framer.h"
#include "protocol/message.h"

namespace {

struct ReadLine {
    const char* line;
    Message message;
};

// Every kind of line, each read into its values and written back to the same bytes.
const ReadLine WELL_FORMED[] = {
    {"hello 1 Anna", Hello{1, "Anna"}},
    {"hello 1 Anna Maria von Brücken", Hello{1, "Anna Maria von Brücken"}},
    {"hello 1 ÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜ", Hello{1, "ÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜ"}},
    {"again 1 0123456789abcdef Anna Maria", Again{1, "0123456789abcdef", "Anna Maria"}},
    {"watch 1 Cleo", Watch{1, "Cleo"}},
    {"welcome 1 Bo", Welcome{1, "Bo"}},
    {"guest Bo Li", GuestSeated{"Bo Li"}},
    {"guest-left", GuestLeft{}},
    {"bye full", Bye{ByeReason::full}},
    {"seat 00ff00ff00ff00ff", SeatToken{"00ff00ff00ff00ff"}},
    {"bye leaving", Bye{ByeReason::leaving}},
    {"bye timeout", Bye{ByeReason::timeout}},
    {"bye replaced", Bye{ByeReason::replaced}},
    {"score 0 4294967295", Score{0, 4294967295u}},
    {"match 4294967295", MatchStart{4294967295u}},
    {"ready 0", Ready{0}},
    {"7 shot 704 383", NumberedInput{7, {InputKind::shot, 704, 383}}},
    {"8 place 0 0", NumberedInput{8, {InputKind::place, 0, 0}}},
    {"9 undo", NumberedInput{9, {InputKind::undo}}},
    {"10 new", NumberedInput{10, {InputKind::new_game}}},
    {"shot 52 190", InputRequest{{InputKind::shot, 52, 190}}},
    {"new", InputRequest{{InputKind::new_game}}},
    {"refused place", Refused{InputKind::place}},
    {"new?", NewGameAsk{}},
    {"new!", NewGameAgree{}},
    {"aim 100 20", Aim{100, 20}},
    {"ping", Ping{}},
    {"check 3 0123456789abcdef", Check{3, "0123456789abcdef"}},
    {"sync?", SyncAsk{}},
    {"sync 12 {\"balls\":[]}", Sync{12, "{\"balls\":[]}"}},
};

TEST(Message, EveryKindOfLineReadsAndWritesBack)
{
    for (const ReadLine& row : WELL_FORMED) {
        SCOPED_TRACE(row.line);
        const std::optional<Message> read = parse_message(row.line);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(*read, row.message);
        EXPECT_EQ(format_message(*read), row.line);
    }
}

// Another version is answered by its number alone, whatever follows it.
TEST(Message, AnotherVersionIsReadWithoutItsName)
{
    EXPECT_EQ(parse_message("hello 2"), Message(Hello{2, ""}));
    EXPECT_EQ(parse_message("hello 2 a name far longer than twenty-four characters"), Message(Hello{2, ""}));
    EXPECT_EQ(parse_message("welcome 3 x"), Message(Welcome{3, ""}));
    EXPECT_EQ(parse_message("again 2 anything at all"), Message(Again{2, "", ""}));
}

TEST(Message, LinesOutsideTheProtocolAreRefused)
{
    const char* const malformed[] = {
        "", " ", "ping ", " ping", "PING", "pong", "new? now",
        "shot 1  2", "shot 1 2 3", "shot 1", "shot -1 2", "shot +1 2", "shot 01 2", "shot 705 0", "shot 0 384",
        "shot 1.5 2", "0 shot 1 2", "07 shot 1 2", "4294967296 undo", "5 ping", "5", "5 ", "5 new 1",
        "hello 1", "hello 1 ", "hello 01 Anna", "hello x Anna", "hello 1 Abcdefghijklmnopqrstuvwxy",
        "hello 1 tab\there", "hello 1 bell\x07", "hello 1 \xC2\x85next-line", "welcome",
        "again 1 0123456789abcdef", "again 1 0123456789ABCDEF Anna", "again 1 0123456789abcde Anna",
        "again 1 Anna", "seat", "seat 0123456789abcdeF", "seat 0123456789abcdef 1",
        "bye", "bye now", "bye leaving now", "watch 1", "guest", "guest ", "guest-left now",
        "match", "match -1", "match 4294967296", "score 1", "score 1 4294967296", "ready", "ready 1 2",
        "refused", "refused aim", "refused shot place",
        "aim 1", "aim 705 1",
        "check 0 0123456789abcdef", "check 1 0123456789ABCDEF", "check 1 0123456789abcde", "check 1 0123456789abcdefa",
        "check 1 0123456789abcdeg", "check 1",
        "sync", "sync 1", "sync 1 ", "sync x {}",
    };
    for (const char* line : malformed) EXPECT_FALSE(parse_message(line).has_value()) << '"' << line << '"';
}

TEST(Message, HostAnnouncements)
{
    EXPECT_EQ(parse_announcement("corvenne-host 1 47147 Anna"), (HostAnnouncement{47147, "Anna"}));
    EXPECT_EQ(format_announcement({5000, "Bo Li"}), "corvenne-host 1 5000 Bo Li");
    for (const char* datagram : {"corvenne-host 2 47147 Anna", "corvenne-host 1 0 Anna", "corvenne-host 1 65536 Anna",
                                 "corvenne-host 1 47147", "corvenne-host 1 47147 ", "corvenne 1 47147 Anna", ""})
        EXPECT_FALSE(parse_announcement(datagram).has_value()) << datagram;
}

// The lines taken out of `bytes` added in pieces of `piece` bytes, and the fault at the end.
struct Framed {
    std::vector<std::string> lines;
    LineFramer::Fault fault;
};

Framed frame(const std::string& bytes, std::size_t piece)
{
    LineFramer framer;
    Framed framed;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        framer.add(std::string_view(bytes).substr(at, piece));
        while (std::optional<std::string> line = framer.next_line()) framed.lines.push_back(*line);
    }
    framed.fault = framer.fault();
    return framed;
}

TEST(LineFramer, CutsLinesWhereverThePiecesEnd)
{
    const std::string bytes = "ping\r\nshot 1 2\n\nnew?\nunfinished";
    for (std::size_t piece : {1, 3, 100}) {
        const Framed framed = frame(bytes, piece);
        EXPECT_EQ(framed.lines, (std::vector<std::string>{"ping", "shot 1 2", "", "new?"})) << piece;
        EXPECT_EQ(framed.fault, LineFramer::Fault::none);
    }
}

TEST(LineFramer, RefusesLongLinesAndBytesThatAreNotUtf8)
{
    const std::string longest(4095, 'x');
    struct Row {
        std::string bytes;
        std::size_t lines;
        LineFramer::Fault fault;
    };
    const Row rows[] = {
        {longest + "\n", 1, LineFramer::Fault::none},
        {longest + "x\n", 0, LineFramer::Fault::too_long},
        // Too long before its end has come: refused without waiting for it.
        {longest + "x", 0, LineFramer::Fault::too_long},
        // The carriage return counts: the limit is on the bytes sent.
        {std::string(4094, 'x') + "\r\n", 1, LineFramer::Fault::none},
        {std::string(4095, 'x') + "\r\n", 0, LineFramer::Fault::too_long},
        {"ping\nhello 1 \xC3\n", 1, LineFramer::Fault::not_utf8},
        {"hello 1 \xC0\xAF\nping\n", 0, LineFramer::Fault::not_utf8},       // an overlong "/"
        {"hello 1 \xED\xA0\x80\nping\n", 0, LineFramer::Fault::not_utf8},   // a surrogate
        {"hello 1 \xF4\x90\x80\x80\nping\n", 0, LineFramer::Fault::not_utf8},  // past U+10FFFF
        {"hello 1 \xF0\x9F\x8E\xB1\n", 1, LineFramer::Fault::none},
    };
    for (const Row& row : rows) {
        const Framed framed = frame(row.bytes + "ping\n", 1000);
        SCOPED_TRACE(row.bytes.substr(0, 20));
        // After a fault nothing more comes out.
        EXPECT_EQ(framed.lines.size(), row.fault == LineFramer::Fault::none ? row.lines + 1 : row.lines);
        EXPECT_EQ(framed.fault, row.fault);
    }
}

}  // namespace
