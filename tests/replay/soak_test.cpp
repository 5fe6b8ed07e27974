#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <iostream>
#include <string>

#include "rules/for_tests.h"
#include "rules/random.h"
#include "sim/for_tests.h"
#include "sim/variables.h"
#include "tests/support/random_player.h"
#include "tools/bmp_writer.h"

namespace {

// Short enough for every test run; CI's sanitizer stage asks for more.
constexpr int DEFAULT_SHOTS = 150;
constexpr uint32_t SEED = 20240611;

int shots_to_play()
{
    const char* asked = std::getenv("CORVENNE_SOAK_SHOTS");
    return asked && *asked ? std::atoi(asked) : DEFAULT_SHOTS;
}

// Plays `shots` random shots from a fresh process state; the table picture is
// read from the current folder.
RandomPlayer play_random_shots(ReplayWindow& table, int shots)
{
    reset_game_state();
    reset_random();
    RandomPlayer player(table, SEED);
    player.open_table();
    player.play(shots);
    attach_window(nullptr);
    return player;
}

std::string first_faults(const std::vector<std::string>& faults)
{
    std::string text;
    for (size_t k = 0; k < faults.size() && k < 10; ++k) text += faults[k] + "\n";
    return text;
}

}  // namespace

// Starts in a folder that holds the table picture, as the game does.
TEST(Soak, RandomPlayKeepsTheTableSoundAfterEveryTickAndEveryShot)
{
    const int shots = shots_to_play();
    ASSERT_GT(shots, 0) << "CORVENNE_SOAK_SHOTS must be a positive number of shots";
    ReplayWindow table;
    const RandomPlayer player = play_random_shots(table, shots);

    EXPECT_TRUE(player.faults().empty()) << first_faults(player.faults());
    const SoakCounts& seen = player.counts();
    EXPECT_EQ(seen.shots, shots);
    std::cout << seen.shots << " shots in " << seen.games << " games, " << seen.undos << " undos, "
              << seen.placements << " cue-ball placements, " << seen.interruptions
              << " clicks while the balls ran; " << table.now() / 1000 << " s of play\n";
    // Each path must really have been taken, or the soak proves less than it claims.
    if (shots >= DEFAULT_SHOTS) {
        EXPECT_GT(seen.games, 1);
        EXPECT_GT(seen.undos, 0);
        EXPECT_GT(seen.placements, 0);
        EXPECT_GT(seen.interruptions, 0);
    }
}

// Balls drawn, erased and shown far outside a table picture of 3 × 2 pixels
// must be clipped to it, never read or written beyond it.
TEST(Soak, ATablePictureSmallerThanTheTableStillPlays)
{
    const uint32_t pixels[6] = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0xFFFFFF};
    const std::vector<uint8_t> bytes = encode_bmp({3, 2, pixels});
    QTemporaryDir folder;
    QFile file(folder.filePath("tavlo2.bmp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    file.close();
    const QString game_folder = QDir::currentPath();
    QDir::setCurrent(folder.path());

    ReplayWindow table;
    const RandomPlayer player = play_random_shots(table, 20);
    QDir::setCurrent(game_folder);

    EXPECT_TRUE(player.faults().empty()) << first_faults(player.faults());
    EXPECT_EQ(player.counts().shots, 20);
    EXPECT_EQ(table.view().back_buffer().size(), QSize(3, 2));
}
