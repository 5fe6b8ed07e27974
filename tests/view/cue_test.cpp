#include <gtest/gtest.h>

#include <QImage>

#include "sim/variables.h"
#include "view/cue.h"
#include "tests/support/fresh_game.h"

namespace {

using Points = std::array<CuePoint, 6>;
using Corners = std::array<CuePoint, 3>;

class Cue : public FreshGame {
protected:
    void SetUp() override
    {
        FreshGame::SetUp();
        screen = patterned_screen();
    }
    static void aim(float neg_cos, float sin, float strength)
    {
        game.aim_neg_cos = neg_cos;
        game.aim_sin = sin;
        game.shot_strength = strength;
    }
    // Every pixel different, so a pixel put back in the wrong place shows.
    static QImage patterned_screen()
    {
        QImage image(705, 384, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF));
        return image;
    }
    static bool inside_any(const std::vector<Rect>& rects, int x, int y)
    {
        for (const Rect& r : rects)
            if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
        return false;
    }
    QImage screen;
};

TEST_F(Cue, StraightLeftAimPointsAndSaveArea)
{
    aim(-1, 0, 2);
    const Points p = cue_points(200, 150);
    EXPECT_EQ(p[0], (CuePoint{182, 150}));
    EXPECT_EQ(p[5], (CuePoint{17, 150}));
    EXPECT_EQ(cue_save_rect(p), (Rect{13, 146, 186, 154}));
    EXPECT_EQ(dot_corners(200, 150)[1], (CuePoint{218, 148}));
}

TEST_F(Cue, DiagonalAimRoundsEveryPointHalfToEven)
{
    aim(-0.6f, 0.8f, 6.8333335f);
    const Points p = cue_points(176, 141);
    const Points expected{{{165, 155}, {160, 163}, {106, 235}, {95, 249}, {68, 285}, {66, 287}}};
    EXPECT_EQ(p, expected);
    EXPECT_EQ(cue_save_rect(p), (Rect{62, 151, 169, 291}));
    const Corners dots{{{196, 113}, {215, 84}, {237, 58}}};
    EXPECT_EQ(dot_corners(176, 141), dots);
}

TEST_F(Cue, DrawsOnlyInsideTheSavedAreasAndRemovingLeavesNoTrace)
{
    aim(-0.6f, 0.8f, 6.8333335f);
    const QImage before = screen;
    draw_cue(screen, 176, 141);
    EXPECT_TRUE(game.cue_drawn);
    const Corners d = dot_corners(176, 141);
    const std::vector<Rect> saved{cue_save_rect(cue_points(176, 141)), {d[0].x, d[0].y, d[0].x + 2, d[0].y + 2},
                                  {d[1].x, d[1].y, d[1].x + 4, d[1].y + 4}, {d[2].x, d[2].y, d[2].x + 2, d[2].y + 2}};
    int changed = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if (screen.pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(inside_any(saved, x, y)) << "cue pixel outside its saved area at " << x << "," << y;
            }
    EXPECT_GT(changed, 300);  // a cue 165 pixels long, about 3 wide
    remove_cue(screen);
    EXPECT_FALSE(game.cue_drawn);
    EXPECT_EQ(screen, before);
}

TEST_F(Cue, MovingTheCueLeavesOnlyTheNewOne)
{
    const QImage before = screen;
    aim(-1, 0, 2);
    draw_cue(screen, 300, 200);
    aim(-0.6f, 0.8f, 6.8333335f);
    draw_cue(screen, 300, 200);
    remove_cue(screen);
    EXPECT_EQ(screen, before);
}

TEST_F(Cue, FullStrengthDotsBeyondTheAreaAreClippedAndRestored)
{
    const QImage before = screen;
    aim(-1, 0, 28);  // the third dot lies 420 pixels right of the ball
    draw_cue(screen, 600, 200);
    EXPECT_GT(dot_corners(600, 200)[2].x, screen.width());
    remove_cue(screen);
    EXPECT_EQ(screen, before);
}

TEST_F(Cue, AfterTheTableIsRedrawnTheOldSavedPixelsAreDropped)
{
    aim(-1, 0, 2);
    draw_cue(screen, 300, 200);
    screen = patterned_screen();
    screen.setPixel(250, 200, qRgb(1, 2, 3));  // the redrawn table differs under the old cue
    const QImage redrawn = screen;
    game.skip_cue_restore = true;
    aim(0, 1, 2);  // now pointing down: the new cue misses the old one's pixels
    draw_cue(screen, 300, 100);
    EXPECT_FALSE(game.skip_cue_restore);
    EXPECT_EQ(screen.pixel(250, 200), qRgb(1, 2, 3));
    remove_cue(screen);
    EXPECT_EQ(screen, redrawn);
}

TEST_F(Cue, RemovingWithoutACueChangesNothing)
{
    const QImage before = screen;
    remove_cue(screen);
    EXPECT_EQ(screen, before);
}

}  // namespace
