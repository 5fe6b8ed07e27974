#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/protocol/session_pair.h"

namespace {

constexpr Input shot(int x, int y)
{
    return {InputKind::shot, x, y};
}
constexpr Input place(int x, int y)
{
    return {InputKind::place, x, y};
}
constexpr Input UNDO{InputKind::undo};
constexpr Input NEW_GAME{InputKind::new_game};

// The lines with every check's hash and seat's token left out.
std::vector<std::string> without_hashes(const std::vector<std::string>& lines)
{
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        const bool hashed = line.starts_with("check ") || line.starts_with("seat ");
        kept.push_back(hashed ? line.substr(0, line.rfind(' ')) : line);
    }
    return kept;
}

std::vector<Side> sides_applied(const std::vector<SessionEvent>& events)
{
    std::vector<Side> sides;
    for (const InputApplied& applied : events_of<InputApplied>(events)) sides.push_back(applied.side);
    return sides;
}

std::vector<std::string> checks(const std::vector<std::string>& lines)
{
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (line.starts_with("check ")) found.push_back(line);
    return found;
}

TEST(NetworkSession, AMatchPlayedByTheRulesKeepsBothTablesTheSame)
{
    SessionPair match;
    match.host_table.praise_state = 99;
    match.host_table.inputs = "an old game;";
    match.join("Bo");
    EXPECT_EQ(events_of<Connected>(match.host_events).at(0).remote_name, "Bo");
    EXPECT_EQ(events_of<Connected>(match.guest_events).at(0).remote_name, "Anna");
    EXPECT_EQ(match.guest_table.praise_state, 99u);

    match.guest->play(shot(1, 1));  // the host's turn
    match.carry();
    match.host.play(shot(10, 20));
    match.rest();
    match.host.play(shot(11, 21));  // the guest's turn now
    match.guest->play(shot(0, 5));  // pots the cue ball
    match.rest();
    match.host.play(shot(12, 22));  // the cue ball is off the table
    match.host.play(place(30, 40));
    match.guest->play(UNDO);  // the host has played since the guest's shot
    match.carry();
    match.host.play(shot(13, 23));
    match.rest();
    match.guest->play(place(1, 2));  // the cue ball is on the table
    match.carry();
    match.host.play(UNDO);
    match.guest->play(NEW_GAME);
    match.carry();
    EXPECT_EQ(events_of<NewGameAsked>(match.host_events).size(), 1u);
    match.host.answer_new_game(true);
    match.rest();

    EXPECT_EQ(without_hashes(match.to_guest),
              (std::vector<std::string>{"welcome 1 Anna", "seat", "score 0 0", "match 99", "ready 0", "refused shot",
                                        "1 shot 10 20", "check 1", "2 shot 0 5", "check 2", "3 place 30 40", "check 3",
                                        "refused undo", "4 shot 13 23", "check 4", "refused place", "5 undo",
                                        "check 5", "new!", "6 new", "check 6"}));
    EXPECT_EQ(checks(match.to_host), checks(match.to_guest));
    EXPECT_EQ(events_of<InputRefused>(match.host_events).size(), 2u);
    EXPECT_EQ(events_of<InputRefused>(match.guest_events).size(), 3u);
    // Each side hears of the other's inputs, and of its own once they are played.
    EXPECT_EQ(events_of<InputApplied>(match.guest_events).size(), 6u);
    EXPECT_EQ(events_of<InputApplied>(match.guest_events).at(1).side, Side::guest);
    EXPECT_EQ(events_of<InputApplied>(match.host_events).at(1).side, Side::guest);
    EXPECT_TRUE(match.same_tables());
    EXPECT_EQ(match.guest_table.inputs, "");
    EXPECT_EQ(match.guest->agreed_through(), 6u);
    EXPECT_TRUE(events_of<OutOfStep>(match.guest_events).empty());

    // The host's last shot and its goodbye reach a guest whose table still
    // rolls: the shot is played once that table comes to rest.
    match.guest_table.rolling = true;
    match.host.play(shot(14, 24));
    match.host.leave();
    match.carry();
    match.rest();
    EXPECT_EQ(events_of<Disconnected>(match.guest_events).at(0).reason, EndReason::left);
    EXPECT_TRUE(match.same_tables());
}

TEST(NetworkSession, AGuestWhoJoinsAgainGoesOnFromTheSameTable)
{
    SessionPair match;
    match.join("Bo");
    match.host.play(shot(10, 20));
    match.rest();
    match.guest->play(shot(0, 5));
    match.rest();
    match.host.connection_closed();
    match.carry();
    EXPECT_EQ(events_of<Disconnected>(match.host_events).at(0).reason, EndReason::lost);
    // The host plays on while the seat is free.
    match.host.play(place(30, 40));
    match.host.play(shot(WINNING_X, 22));
    match.rest();

    match.guest_table = FakeMatchTable{};
    match.to_guest.clear();
    match.join("Cy");
    match.rest();
    EXPECT_EQ(without_hashes(match.to_guest),
              (std::vector<std::string>{"welcome 1 Anna", "seat", "score 1 0", "match 0", "1 shot 10 20", "2 shot 0 5",
                                        "3 place 30 40", "4 shot 704 22", "ready 4", "check 4"}));
    EXPECT_TRUE(match.same_tables());
    EXPECT_EQ(match.guest->agreed_through(), 4u);
    EXPECT_EQ(events_of<Connected>(match.host_events).back().remote_name, "Cy");
    // The decided rack counts once on each side, and the series goes on into the next.
    match.guest->play(NEW_GAME);
    match.carry();
    match.host.answer_new_game(true);
    match.rest();
    EXPECT_EQ(match.to_guest.back().substr(0, 7), "check 5");
    EXPECT_TRUE(match.same_tables());
    for (const SeriesCount& series : {match.host.series(), match.guest->series()})
        EXPECT_EQ(std::pair(series.won_by(1), series.won_by(2)), std::pair(1u, 0u));
}

TEST(NetworkSession, TablesOutOfStepTakeTheHostsTable)
{
    SessionPair match;
    match.join("Bo");
    match.host.play(shot(10, 20));
    match.host.pump(match.now);
    match.carry();
    match.guest_table.inputs += "a ball the host never saw;";
    match.rest();
    ASSERT_EQ(events_of<OutOfStep>(match.guest_events).size(), 1u);
    EXPECT_EQ(events_of<OutOfStep>(match.guest_events).at(0).number, 1u);
    EXPECT_EQ(match.to_guest.back().substr(0, 5), "sync ");
    EXPECT_TRUE(match.same_tables());
    EXPECT_EQ(match.guest->agreed_through(), 1u);
    // The host's last shot can no longer be taken back.
    match.host.play(UNDO);
    match.carry();
    EXPECT_EQ(events_of<InputRefused>(match.host_events).size(), 1u);
}

// A side that hears a line outside the protocol says so and closes.
TEST(NetworkSession, LinesOutsideTheProtocolEndTheConnection)
{
    const char* const to_host[] = {"welcome 1 X", "1 shot 1 2", "refused shot", "check 2 0123456789abcdef",
                                   "sync 1 x", "ready 0", "match 1", "hello 1 Bo", "shot 1  2"};
    for (const char* line : to_host) {
        SessionPair match;
        match.join("Bo");
        match.host.play(shot(10, 20));
        match.host.receive(line, match.now);
        match.carry();
        EXPECT_EQ(match.to_guest.back(), "bye malformed") << line;
        EXPECT_EQ(events_of<Disconnected>(match.host_events).at(0).reason, EndReason::malformed) << line;
        EXPECT_EQ(events_of<Disconnected>(match.guest_events).at(0).reason, EndReason::malformed) << line;
        EXPECT_TRUE(match.host.seat_free());
    }
    const char* const to_guest[] = {"2 shot 1 2", "0 shot 1 2", "check 1 0123456789abcdef", "hello 1 X", "shot 1 2",
                                    "sync?", "ready 0"};
    for (const char* line : to_guest) {
        SessionPair match;
        match.join("Bo");
        match.guest->receive(line, match.now);
        match.carry();
        EXPECT_EQ(match.to_host.back(), "bye malformed") << line;
        EXPECT_TRUE(match.guest->ended()) << line;
    }
}

// Each opening is judged when it is read: a guest whose connection died
// unheard takes its seat back with its token; anyone else waits for a free seat.
TEST(NetworkSession, TheSeatsTokenTakesTheSeatBack)
{
    SessionPair match;
    match.join("Bo");
    const std::string token = match.to_guest.at(1).substr(5);
    EXPECT_EQ(match.guest->seat_token(), token);
    match.host.play(shot(10, 20));
    match.rest();

    struct Opening {
        std::string line;
        std::optional<ByeReason> answer;
    };
    const std::string wrong_token = token == "0123456789abcdef" ? "fedcba9876543210" : "0123456789abcdef";
    const Opening while_seated[] = {
        {"hello 1 Cy", ByeReason::busy},
        {"again 1 " + wrong_token + " Cy", ByeReason::busy},
        {"hello 2 Cy", ByeReason::version},
        {"again 2 " + token + " Bo", ByeReason::version},
        {"welcome 1 Cy", ByeReason::malformed},
        {"shot 1 2", ByeReason::malformed},
        {"again 1 " + token + " Bo", std::nullopt},
    };
    for (const Opening& opening : while_seated)
        EXPECT_EQ(match.host.answer_opening(opening.line), opening.answer) << opening.line;

    // The old connection, half-open, hears nothing any more; the new one takes the seat at once.
    match.guest_table = FakeMatchTable{};
    match.to_guest.clear();
    match.join("Bo", token);
    match.rest();
    EXPECT_EQ(match.to_replaced, std::vector<std::string>{"bye replaced"});
    EXPECT_EQ(events_of<Disconnected>(match.host_events).at(0).reason, EndReason::replaced);
    EXPECT_TRUE(match.guest->caught_up());
    EXPECT_TRUE(match.same_tables());
    // Every seating draws a new token: the opening seen on the way takes nothing now.
    EXPECT_NE(match.to_guest.at(1), "seat " + token);
    EXPECT_EQ(match.host.answer_opening("again 1 " + token + " Bo"), ByeReason::busy);

    // A guest that leaves gives its token up: the free seat is a new one.
    match.guest->leave();
    match.carry();
    EXPECT_EQ(match.guest->seat_token(), std::nullopt);
    EXPECT_EQ(match.host.answer_opening("again 1 " + wrong_token + " Cy"), std::nullopt);
    match.join("Cy", token);
    EXPECT_NE(match.guest->seat_token(), token);
    EXPECT_EQ(match.host.answer_opening("again 1 " + token + " Bo"), ByeReason::busy);
}

// The host's ask for a new game outlives the guest's connection: the next guest is asked.
TEST(NetworkSession, TheHostsAskForANewGameWaitsForTheNextGuest)
{
    SessionPair match;
    match.join("Bo");
    match.host.play(shot(10, 20));
    match.rest();
    match.host.play(NEW_GAME);
    match.carry();  // Bo is asked, and its connection closes before it answers
    match.host.connection_closed();
    match.carry();
    EXPECT_TRUE(match.host.own_input_waiting());
    match.guest_table = FakeMatchTable{};
    match.to_guest.clear();
    match.join("Cy");
    ASSERT_EQ(events_of<NewGameAsked>(match.guest_events).size(), 2u);
    match.guest->answer_new_game(true);
    match.rest();
    EXPECT_EQ(without_hashes(match.to_guest),
              (std::vector<std::string>{"welcome 1 Anna", "seat", "score 0 0", "match 0", "1 shot 10 20", "ready 1",
                                        "check 1", "new?", "2 new", "check 2"}));
    EXPECT_TRUE(events_of<InputRefused>(match.host_events).empty());
    EXPECT_FALSE(match.host.own_input_waiting());
    EXPECT_TRUE(match.same_tables());
}

// The guest's table settles before it is compared, wherever in a rack the guest joins.
// Watchers, one there before the guest and one joining mid-shot, follow
// every input and aim and who holds the seat; what a watcher says changes nothing.
TEST(NetworkSession, WatchersFollowTheMatchAndChangeNothing)
{
    SessionPair match;
    WatcherSide& early = match.watch("Cleo");
    match.join("Bo");
    match.host.play(shot(10, 20));
    match.carry();
    WatcherSide& late = match.watch("Dan");
    match.rest();
    match.guest->play(shot(0, 5));
    match.rest();
    match.host.aim(100, 20, match.now);
    match.carry();
    late.session.play(shot(1, 1));
    EXPECT_EQ(events_of<InputRefused>(late.session.take_output().events).size(), 1u);
    for (const WatcherSide* watcher : {&early, &late}) {
        EXPECT_EQ(watcher->table.state_without_time(), match.host_table.state_without_time());
        EXPECT_EQ(watcher->session.agreed_through(), 2u);
        EXPECT_EQ(watcher->table.aims_shown.back(), std::pair(100, 20));
    }
    // Cleo, owed the match until the guest came, heard who came first.
    EXPECT_EQ(early.heard.at(1), "guest Bo");
    EXPECT_EQ(without_hashes(late.heard),
              (std::vector<std::string>{"welcome 1 Anna", "guest Bo", "score 0 0", "match 0", "1 shot 10 20", "ready 1",
                                        "check 1", "2 shot 0 5", "check 2", "aim 100 20"}));

    // A program that watches cannot play.
    match.host.receive_from_watcher(2, "shot 1 1", match.now);
    match.rest();
    EXPECT_EQ(late.heard.back(), "bye malformed");
    EXPECT_TRUE(late.closed);
    EXPECT_EQ(match.host_table.inputs, "shot 10 20;shot 0 5;");
    match.guest->leave();
    match.carry();
    EXPECT_EQ(early.heard.back(), "guest-left");
    EXPECT_EQ(events_of<WatchersCounted>(match.host_events).back().count, 1u);
}

TEST(NetworkSession, AGuestJoiningAtAnyPointOfARackAgreesWithTheHost)
{
    struct Point {
        const char* name;
        std::vector<Input> host_inputs;
    };
    const Point points[] = {
        {"before any input", {}},
        {"after a shot", {shot(10, 20)}},
        {"after a placement", {shot(10, 20), shot(0, 5), place(30, 40)}},
        {"after an undo", {shot(10, 20), UNDO}},
        {"right after a new game", {shot(10, 20), NEW_GAME}},
    };
    for (const Point& point : points) {
        SCOPED_TRACE(point.name);
        SessionPair match;
        match.join("Bo");
        for (const Input& input : point.host_inputs) {
            if (input.kind == InputKind::new_game) match.guest->play(NEW_GAME);
            // Whoever has the turn plays, so that the fake's turn passes as in a match.
            if (input.kind == InputKind::new_game || match.host_table.table.current_player == 1)
                match.host.play(input);
            else
                match.guest->play(input);
            match.rest();
        }
        match.host.connection_closed();
        match.guest_table = FakeMatchTable{};
        match.join("Cy");
        match.rest();
        EXPECT_TRUE(events_of<OutOfStep>(match.guest_events).empty());
        EXPECT_TRUE(match.guest->caught_up());
        EXPECT_TRUE(match.same_tables());
    }
}

// The guest tells its own inputs from the host's by the same rules the host
// took them by, and so reports each input as the host's side does.
TEST(NetworkSession, WhoseAnInputIsFollowsTheRules)
{
    struct Case {
        const char* name;
        std::function<void(SessionPair&)> play;
        std::vector<Side> sides;
        std::size_t guest_refusals;
    };
    const Case cases[] = {
        // The same shot from both sides at once: the host's turn makes the first the host's.
        {"a shot", [](SessionPair& m) { m.guest->play(shot(10, 20)); m.host.play(shot(10, 20)); },
         {Side::host, Side::guest}, 0},
        // The host takes back its own shot while the guest asks to take it back.
        {"an undo", [](SessionPair& m) { m.host.play(shot(10, 20)); m.rest(); m.guest->play(UNDO); m.host.play(UNDO); },
         {Side::host, Side::host}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SessionPair match;
        match.join("Bo");
        c.play(match);
        match.rest();
        EXPECT_EQ(sides_applied(match.guest_events), c.sides);
        EXPECT_EQ(sides_applied(match.host_events), c.sides);
        EXPECT_EQ(events_of<InputRefused>(match.guest_events).size(), c.guest_refusals);
        EXPECT_FALSE(match.guest->own_input_waiting());
        EXPECT_TRUE(match.same_tables());
    }
}

// A driver steps the guest: the host's inputs wait for their release, also
// while this side's own input is on its way and the host numbers its own
// first. They go on once ours comes back numbered after them, not when it is
// refused.
TEST(NetworkSession, HeldInputsWaitForTheirReleaseOrForTheGuestsOwnNumberedAfterThem)
{
    for (const bool refused : {false, true}) {
        SCOPED_TRACE(refused ? "refused" : "numbered");
        SessionPair match;
        match.join("Bo");
        match.guest->hold_remote_inputs(true);
        match.guest->play(refused ? UNDO : shot(10, 20));
        match.host.play(shot(30, 40));
        for (const std::string& line : match.host.take_output().lines) match.guest->receive(line, match.now);
        match.guest->pump(match.now);
        EXPECT_EQ(match.guest_table.inputs, "");
        match.rest();
        EXPECT_EQ(match.guest_table.inputs.empty(), refused);
        match.guest->release_remote_input();
        match.rest();
        EXPECT_TRUE(match.same_tables());
        EXPECT_FALSE(match.guest->own_input_waiting());
    }
}

TEST(NetworkSession, SilenceIsPingedThenLost)
{
    SessionPair match;
    match.join("Bo");
    match.now += 5000;
    match.host.pump(match.now);
    match.guest->pump(match.now);
    match.carry();
    EXPECT_EQ(match.to_guest.back(), "ping");
    EXPECT_EQ(match.to_host.back(), "ping");
    // The guest falls silent: nothing of it is carried any more.
    match.now += 14'999;
    match.host.pump(match.now);
    EXPECT_TRUE(events_of<Disconnected>(match.host.take_output().events).empty());
    match.now += 1;
    match.host.pump(match.now);
    const SessionOutput output = match.host.take_output();
    EXPECT_EQ(output.lines.back(), "bye timeout");
    EXPECT_TRUE(output.close);
    EXPECT_EQ(events_of<Disconnected>(output.events).at(0).reason, EndReason::lost);
}

TEST(NetworkSession, AimsAreShownWhileTheirPlayerHasTheCueAtTheirPace)
{
    SessionPair match;
    match.join("Bo");
    match.rest();
    match.guest->aim(1, 1, match.now);  // the host's turn: not sent
    match.host.aim(5, 6, match.now);
    match.host.aim(7, 8, match.now + 10);  // held back, then replaced
    match.host.aim(9, 10, match.now + 20);
    match.carry();
    match.host.pump(match.now + 34);
    match.host.aim(9, 10, match.now + 100);  // the cue stands there already
    match.carry();
    EXPECT_EQ(match.guest_table.aims_shown, (std::vector<std::pair<int, int>>{{5, 6}, {9, 10}}));
    EXPECT_EQ(match.to_host, std::vector<std::string>{"hello 1 Bo"});

    // Paced to ten a second, as over a relay: 100 ms from one aim sent to the next.
    match.host.pace_aims(10);
    match.host.aim(11, 12, match.now + 134);
    match.host.aim(13, 14, match.now + 200);
    match.host.pump(match.now + 233);
    match.carry();
    EXPECT_EQ(match.guest_table.aims_shown.back(), std::make_pair(11, 12));
    match.host.pump(match.now + 234);
    match.carry();
    EXPECT_EQ(match.guest_table.aims_shown.back(), std::make_pair(13, 14));

    // Thirty a second are taken for as long as they come; a burst of thirty
    // is taken once, and one more then is not.
    const int64_t later = match.now + 1000;
    for (int k = 0; k < 300; ++k) match.guest->receive("aim 3 4", later + k * 1000 / 30);
    for (int k = 0; k < 30; ++k) match.guest->receive("aim 3 4", later + 20'000);
    match.carry();
    EXPECT_FALSE(match.guest->ended());
    match.guest->receive("aim 3 4", later + 20'000);
    match.carry();
    EXPECT_EQ(match.to_host.back(), "bye malformed");
}

TEST(NetworkSession, AGuestCannotQueueInputsWithoutBound)
{
    SessionPair match;
    match.join("Bo");
    match.host.play(shot(10, 20));  // the host's table rolls: nothing of the guest is judged
    for (int k = 0; k < 32; ++k) match.host.receive("shot 1 1", match.now);
    EXPECT_FALSE(match.host.seat_free());
    match.host.receive("shot 1 1", match.now);
    EXPECT_TRUE(match.host.seat_free());
}

}  // namespace
