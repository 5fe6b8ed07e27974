#include <gtest/gtest.h>

#include <filesystem>

#include "protocol/journal_file.h"

namespace {

// A match over a relay: two racks, the guest seated twice, the journal
// written as a host writes it and read back from the disk.
TEST(HostJournal, WhatTheHostWritesReadsBack)
{
    const std::string path = testing::TempDir() + "host_journal_test/match.journal";
    HostJournal expected;
    expected.player = "Anna Maria";
    expected.place = JournalRelay{"mqtts://relay.example.org:8883", "0123456789", "ABCDEFGHJK"};
    expected.seat_token = "00112233445566ff";
    expected.guest = "Bö";
    expected.racks = {
        {7, {0, 0}, {{Side::host, {1, {InputKind::shot, 407, 196}}}, {Side::guest, {2, {InputKind::new_game}}}}},
        {4294967295u, {0, 1}, {{Side::guest, {3, {InputKind::place, 0, 383}}}, {Side::guest, {4, {InputKind::undo}}}}}};
    {
        JournalFile file(path, HostJournal{expected.player, expected.place, {}, {}, {}});
        file.seated("0123456789abcdef", "Bo");
        file.rack_set_up(7, {0, 0});
        for (const JournalInput& input : expected.racks[0].inputs) file.numbered(input.side, input.numbered);
        file.rack_set_up(4294967295u, {0, 1});
        file.seated(expected.seat_token, expected.guest);
        for (const JournalInput& input : expected.racks[1].inputs) file.numbered(input.side, input.numbered);
        EXPECT_EQ(file.trouble(), "");
    }
    const auto read = load_journal(path);
    ASSERT_TRUE(std::holds_alternative<HostJournal>(read)) << std::get<JournalFault>(read).text();
    EXPECT_EQ(std::get<HostJournal>(read), expected);
    EXPECT_EQ(std::get<HostJournal>(read).last_number(), 4u);
    std::filesystem::remove_all(testing::TempDir() + "host_journal_test");
}

struct Damaged {
    bool after_head;  // the text goes on from a head and a rack that read
    const char* text;
    const char* fault;  // empty: the journal reads
};

const char* const HEAD = "corvenne-journal 1\nplayer Anna\nport 47147\nseat 0123456789abcdef Bo\nrack 5 0 0\n";

// Each damaged journal is told by its line; a write cut short is left out.
const Damaged DAMAGED[] = {
    {false, "", "the journal ends before it says where the match was hosted"},
    {false, "corvenne-journal 2\n", "line 1: a journal of another version"},
    {false, "corvenne-journal 1\nplayer \x01\n", "line 2: not the player's name"},
    {false, "corvenne-journal 1\nplayer Anna\nport 0\n", "line 3: not a port, nor a relay and its codes"},
    {false, "corvenne-journal 1\nplayer Anna\nrelay mqtt://a:1 0123456789 O\n", "line 3: not a port, nor a relay and its codes"},
    {false, "corvenne-journal 1\nplayer Anna\nport 1\nseat 0123456789abcdef Bo\n", "no guest ever had the match"},
    {false, "corvenne-journal 1\nplayer Anna\nport 1\nrack 5 0 0\n", "line 4: a rack before any guest sat down"},
    {true, "host 1 shot 705 0\n", "line 6: not a numbered input"},
    {true, "host 2 undo\n", "line 6: input 1 was expected"},
    {true, "host 1 undo\nrack 6 0 0\n", "line 7: a rack without a new game before it"},
    {true, "host 1 new\nrack 6 1 1\n", "line 7: racks won that the racks before cannot have made"},
    {true, "host 1 new\nguest 2 undo\n", "line 7: an input outside a rack"},
    {true, "guest 1 undo\nbye\n", "line 7: not a line of a match journal"},
    {true, "guest 1 undo\nguest 2 sh", ""},
    {true, "guest 1 undo\nguest 2 new\n", ""},
};

TEST(HostJournal, DamagedJournalsAreToldByLine)
{
    for (const Damaged& row : DAMAGED) {
        const std::string text = std::string(row.after_head ? HEAD : "") + row.text;
        SCOPED_TRACE(text);
        const auto read = read_journal(text);
        if (*row.fault) {
            ASSERT_TRUE(std::holds_alternative<JournalFault>(read));
            EXPECT_EQ(std::get<JournalFault>(read).text(), row.fault);
        } else {
            ASSERT_TRUE(std::holds_alternative<HostJournal>(read));
            EXPECT_EQ(std::get<HostJournal>(read).last_number(), 1u);
        }
    }
    EXPECT_EQ(std::get<JournalFault>(read_journal(std::string(MAX_JOURNAL_BYTES + 1, '\n'))).line, 0u);
}

}  // namespace
