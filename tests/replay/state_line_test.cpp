#include <gtest/gtest.h>

#include <regex>

#include "match/state_line.h"
#include "sim/for_tests.h"
#include "sim/variables.h"
#include "sim/window.h"

namespace {

TEST(FloatText, WritesTheShortestFormOfNineSignificantDigits)
{
    EXPECT_EQ(float_text(0.0f), "0");
    EXPECT_EQ(float_text(-0.0f), "-0");
    EXPECT_EQ(float_text(154.0f), "154");
    EXPECT_EQ(float_text(-2.25f), "-2.25");
    EXPECT_EQ(float_text(0.1f), "0.100000001");
    EXPECT_EQ(float_text(223.75639f), "223.756393");
    EXPECT_EQ(float_text(0.0007f), "0.000699999975");
    EXPECT_EQ(float_text(1e-5f), "9.99999975e-06");
    EXPECT_EQ(float_text(123456789.0f), "123456792");
    EXPECT_EQ(float_text(1e10f), "1e+10");
}

TEST(JsonString, QuotesAndEscapesWhatJsonRequiresAndPassesUtf8Through)
{
    EXPECT_EQ(json_string("Start new game"), "\"Start new game\"");
    EXPECT_EQ(json_string(""), "\"\"");
    EXPECT_EQ(json_string("say \"hi\" \\ bye"), "\"say \\\"hi\\\" \\\\ bye\"");
    EXPECT_EQ(json_string("a\nb\tc\x01"), "\"a\\u000ab\\u0009c\\u0001\"");
    EXPECT_EQ(json_string("Отмена хода"), "\"Отмена хода\"");
}

class StateLine : public testing::Test {
protected:
    void SetUp() override
    {
        reset_game_state();
        attach_window(nullptr);
    }
    void TearDown() override { reset_game_state(); }
};

TEST_F(StateLine, HoldsTheKeysInTheirOrderOnOneLineWithoutBlanks)
{
    const std::string line = state_line(0);
    EXPECT_EQ(line.find_first_of(" \n"), std::string::npos);
    const std::regex key("\"([a-z_0-9]+)\":");
    std::string keys;
    for (auto k = std::sregex_iterator(line.begin(), line.end(), key); k != std::sregex_iterator(); ++k)
        keys += (*k)[1].str() + " ";
    std::string expected = "t balls ";
    for (int i = 0; i < BALL_COUNT; ++i) expected += "x y vx vy state ";
    expected += "current_player previous_player players ";
    for (int p = 0; p < 2; ++p) expected += "group keeps_turn first_touched on_black ";
    expected += "outcome status game_over aiming_enabled shot_evaluated first_contact_seen timer1 timer2 timer3 ";
    EXPECT_EQ(keys, expected);
}

TEST_F(StateLine, WritesTheMatchTheStatusAndTheTimers)
{
    game.current_player = 2;
    game.previous_player = 1;
    game.players[1] = tjoueur{RED, true, NoGroup, "", false};
    game.players[2] = tjoueur{YELLOW, false, BLACK, "", true};
    game.outcome = -13;
    game.aiming_enabled = true;
    game.first_contact_seen = true;
    window().set_status_line("Faul! \"white\"");
    window().set_timer(Timer1, true);
    window().set_timer(Timer3, true);
    const std::string line = state_line(123456789012);
    EXPECT_EQ(line.substr(0, 19), R"({"t":123456789012,")");
    const std::string end =
        R"("current_player":2,"previous_player":1,"players":[)"
        R"({"group":255,"keeps_turn":1,"first_touched":16711680,"on_black":0},)"
        R"({"group":65535,"keeps_turn":0,"first_touched":0,"on_black":1}],)"
        R"("outcome":-13,"status":"Faul! \"white\"","game_over":0,"aiming_enabled":1,)"
        R"("shot_evaluated":0,"first_contact_seen":1,"timer1":1,"timer2":0,"timer3":1})";
    ASSERT_GE(line.size(), end.size());
    EXPECT_EQ(line.substr(line.size() - end.size()), end);
}

}  // namespace
