// Plays computer-against-computer matches through the headless driver's code
// and prints the opponent's figures: how often each level pots and fouls, how
// often it wins a game in a single visit or loses one on an early black, how
// often each level beats the one below, and how long each level thinks.
//
// computer_match [MEDIUM_VS_EASY] [HARD_VS_MEDIUM] [EXPERT_VS_HARD]
// (numbers of games; each pairing alternates who breaks; every game opens
// with a break of its own). Run it in a folder that holds the table picture.
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <vector>

#include "opponent/shot_trial.h"
#include "replay/computer_turn.h"
#include "replay/match_script.h"
#include "replay/replay_window.h"
#include "sim/initialisation.h"
#include "view/mouse.h"

namespace {

// A game that is still open after this many turns is called a draw.
constexpr int TURN_LIMIT = 300;

struct LevelFigures {
    int shots = 0;
    int pots = 0;   // a ball the shooter may pot, with no foul
    int fouls = 0;
    int early_black_losses = 0;
    int single_visit_wins = 0;  // the winner came to the table once
    int games = 0;
    std::vector<double> thinking_seconds;      // wall
    std::vector<double> thinking_cpu_seconds;  // all threads
};

std::array<LevelFigures, 5> figures;  // by level

struct Pairing {
    ComputerLevel first, second;
    int games;
    int first_wins = 0, second_wins = 0, draws = 0;
};

// The trial replays the turn on a thread of its own: the same shot from the
// same table, so it must end on the very table the driver reached.
ShotTrial judge_again(const GameState& before, const ComputerShot& shot)
{
    return std::async(std::launch::async, [&] {
        ShotTrial trial = play_trial(before, shot);
        return trial;
    }).get();
}

void count_turn(ComputerLevel level, const ShotTrial& trial, double seconds, double cpu_seconds)
{
    LevelFigures& f = figures[static_cast<int>(level)];
    ++f.shots;
    if (trial.foul) ++f.fouls;
    if (!trial.foul && (trial.own_balls_potted > 0 || trial.won)) ++f.pots;
    if (trial.game_over && !trial.won) ++f.early_black_losses;
    f.thinking_seconds.push_back(seconds);
    f.thinking_cpu_seconds.push_back(cpu_seconds);
}

// The choice is a pure function of the table, so every game would be the
// same: each opens with a hard break from a mouse position of its own, drawn
// from the game's number, and the computers play every shot after it.
void break_the_rack(ReplayWindow& table, int game_number)
{
    uint32_t draw = static_cast<uint32_t>(game_number) * 2654435761u + 12345u;
    auto below = [&draw](int n) {
        draw = draw * 1664525u + 1013904223u;
        return static_cast<int>((static_cast<uint64_t>(draw) * static_cast<uint32_t>(n)) >> 32);
    };
    const int cue_x = RACK_X[CUE_BALL] + DRAW_OFFSET_X, cue_y = RACK_Y[CUE_BALL] + DRAW_OFFSET_Y;
    const int X = cue_x - 120 - below(50), Y = cue_y - 30 + below(61);
    settle(table);
    PaintBox1MouseMove(table.view().surface(), X, Y);
    PaintBox1MouseDown(X, Y);
}

// Player 1 breaks and plays at `one`, player 2 at `two`; returns the winner, 0 for a draw.
int play_game(ReplayWindow& table, ComputerLevel one, ComputerLevel two, int game_number)
{
    Nouvellepartie1Click();
    break_the_rack(table, game_number);
    int visits[3] = {0, 1, 0};  // by player; the break is player 1's first
    int last_shooter = 1;
    for (int turn = 0; turn < TURN_LIMIT; ++turn) {
        if (!settle(table)) return 0;
        if (game.game_over) break;
        const int shooter = game.current_player;
        if (shooter != last_shooter) ++visits[shooter];
        last_shooter = shooter;
        const ComputerLevel level = shooter == 1 ? one : two;
        const GameState before = game;
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpu_start = std::clock();
        const std::optional<ComputerShot> shot = play_computer_turn(table, level);
        const double cpu_seconds = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const ShotTrial trial = judge_again(before, *shot);
        if (!settle(table)) return 0;
        count_turn(level, trial, seconds, cpu_seconds);
        if (!trial.game_over) continue;
        const int winner = trial.won ? shooter : 3 - shooter;
        if (visits[winner] == 1) ++figures[static_cast<int>(winner == 1 ? one : two)].single_visit_wins;
        return winner;
    }
    return 0;
}

// `games_played` numbers the games of the whole run, so each opens differently.
void play_pairing(ReplayWindow& table, Pairing& pairing, int& games_played)
{
    for (int g = 0; g < pairing.games; ++g) {
        const bool first_breaks = g % 2 == 0;
        const ComputerLevel one = first_breaks ? pairing.first : pairing.second;
        const ComputerLevel two = first_breaks ? pairing.second : pairing.first;
        const int winner = play_game(table, one, two, games_played++);
        ++figures[static_cast<int>(one)].games;
        ++figures[static_cast<int>(two)].games;
        if (winner == 0) ++pairing.draws;
        else if ((winner == 1) == first_breaks) ++pairing.first_wins;
        else ++pairing.second_wins;
        std::fprintf(stderr, ".");
    }
    std::fprintf(stderr, "\n");
}

const char* name_of(ComputerLevel level)
{
    switch (level) {
    case ComputerLevel::easy: return "easy";
    case ComputerLevel::medium: return "medium";
    case ComputerLevel::hard: return "hard";
    case ComputerLevel::expert: return "expert";
    }
    return "";
}

constexpr ComputerLevel ALL_LEVELS[] = {ComputerLevel::expert, ComputerLevel::hard, ComputerLevel::medium,
                                        ComputerLevel::easy};

double percent(int part, int whole)
{
    return whole ? 100.0 * part / whole : 0.0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double worst(const std::vector<double>& v)
{
    return *std::max_element(v.begin(), v.end());
}

void print_figures(const std::vector<Pairing>& pairings)
{
    for (const Pairing& p : pairings)
        std::printf("%s against %s: %d games, %s wins %d (%.0f %%), %s wins %d, draws %d\n", name_of(p.first),
                    name_of(p.second), p.games, name_of(p.first), p.first_wins, percent(p.first_wins, p.games),
                    name_of(p.second), p.second_wins, p.draws);
    for (ComputerLevel level : ALL_LEVELS) {
        const LevelFigures& f = figures[static_cast<int>(level)];
        if (!f.shots) continue;
        std::printf("%s: %d shots in %d games, pots %.1f %%, fouls %.1f %%, games won in a single visit %d (%.1f %%), "
                    "games lost on an early black %d\n",
                    name_of(level), f.shots, f.games, percent(f.pots, f.shots), percent(f.fouls, f.shots),
                    f.single_visit_wins, percent(f.single_visit_wins, f.games), f.early_black_losses);
    }
    for (ComputerLevel level : ALL_LEVELS) {
        const LevelFigures& f = figures[static_cast<int>(level)];
        if (f.shots)
            std::printf("%s thinking: wall median %.3f s, worst %.3f s; processor time of all threads median %.3f s, worst %.3f s\n",
                        name_of(level), median(f.thinking_seconds), worst(f.thinking_seconds),
                        median(f.thinking_cpu_seconds), worst(f.thinking_cpu_seconds));
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    auto count = [&](int k, int fallback) { return argc > k ? std::atoi(argv[k]) : fallback; };
    std::vector<Pairing> pairings{{ComputerLevel::medium, ComputerLevel::easy, count(1, 100)},
                                  {ComputerLevel::hard, ComputerLevel::medium, count(2, 100)},
                                  {ComputerLevel::expert, ComputerLevel::hard, count(3, 100)}};
    ReplayWindow table;
    attach_window(&table);
    if (!set_up_first_rack()) {
        std::fprintf(stderr, "computer_match: %s\n", table.take_picture_error().toStdString().c_str());
        return 1;
    }
    int games_played = 0;
    for (Pairing& p : pairings) play_pairing(table, p, games_played);
    attach_window(nullptr);
    print_figures(pairings);
    return 0;
}
