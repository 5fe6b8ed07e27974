#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include <QPointF>

#include "view/pictures/pictures.h"

// The shipped table picture must show its cushions, jaws and pockets where
// the game turns and captures the balls: every physical edge lies one ball
// radius (9 px) beyond the line at which the ball's centre turns back.

namespace {

// What a pixel of the table shows, judged by its colour.
std::string surface(QRgb p)
{
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    if (std::max({r, g, b}) < 45) return "pocket";
    if (r > g + 15 && r > b) return "wood";
    if (g > r + 30 && g > b + 20) return g >= 112 ? "cloth" : "cushion";
    return "other";
}

bool open(const std::string& surface)
{
    return surface == "cloth" || surface == "pocket";
}

class ShippedTable : public testing::Test {
protected:
    static void SetUpTestSuite() { load = load_table_picture(CORVENNE_ASSETS_DIR "/tavlo2.bmp"); }

    static std::string at(QPointF p) { return surface(load.picture.pixel(int(std::floor(p.x())), int(std::floor(p.y())))); }

    static void expect(const std::string& wanted, QPointF p, const std::string& where)
    {
        EXPECT_EQ(at(p), wanted) << where << " at (" << p.x() << ", " << p.y() << ")";
    }

    static inline TablePictureLoad load;
};

constexpr double RADIUS = 9;
const double DIAGONAL = 1 / std::sqrt(2.0);

// One jaw: its end on the ball-centre path, the way along the jaw toward the
// pocket, and the side on which the cushion lies.
struct Jaw {
    const char* where;
    QPointF end;
    QPointF toward_pocket;  // a diagonal step (±1, ±1)
    QPointF into_cushion;   // a unit normal
};

const Jaw JAWS[] = {
    {"top middle, left", {255, 46}, {1, -1}, {-DIAGONAL, -DIAGONAL}},
    {"bottom middle, right", {289, 255}, {-1, 1}, {DIAGONAL, DIAGONAL}},
    {"bottom-left, side", {45, 250}, {-1, 1}, {-DIAGONAL, -DIAGONAL}},
    {"bottom-left, bottom", {53, 255}, {-1, 1}, {DIAGONAL, DIAGONAL}},
    {"top-right, top", {498, 46}, {1, -1}, {-DIAGONAL, -DIAGONAL}},
    {"top-right, side", {505, 53}, {1, -1}, {DIAGONAL, DIAGONAL}},
    {"top middle, right", {289, 46}, {-1, -1}, {DIAGONAL, -DIAGONAL}},
    {"bottom middle, left", {255, 255}, {1, 1}, {-DIAGONAL, DIAGONAL}},
    {"top-left, side", {45, 53}, {-1, -1}, {-DIAGONAL, DIAGONAL}},
    {"top-left, top", {53, 46}, {-1, -1}, {DIAGONAL, -DIAGONAL}},
    {"bottom-right, bottom", {498, 255}, {1, 1}, {-DIAGONAL, DIAGONAL}},
    {"bottom-right, side", {505, 250}, {1, 1}, {DIAGONAL, -DIAGONAL}},
};

const QPointF POCKET_CENTRES[] = {{30, 30}, {272, 20}, {514, 30}, {30, 270}, {272, 280}, {514, 270}};

}  // namespace

TEST_F(ShippedTable, LoadsAndFitsTheDrawingAreaFromItsOffset)
{
    ASSERT_EQ(load.error, "");
    EXPECT_EQ(load.picture.size(), QSize(550, 300));
    EXPECT_LE(76 + load.picture.width(), 705);
    EXPECT_LE(41 + load.picture.height(), 384);
}

TEST_F(ShippedTable, PocketsAreDarkRoundTheirCentres)
{
    for (QPointF centre : POCKET_CENTRES)
        for (QPointF step : {QPointF(0, 0), QPointF(5, 0), QPointF(-5, 0), QPointF(0, 5), QPointF(0, -5)})
            expect("pocket", centre + step, "pocket");
}

TEST_F(ShippedTable, ClothCoversThePlayingArea)
{
    for (QPointF p : {QPointF(275, 150), QPointF(60, 60), QPointF(490, 60), QPointF(60, 240), QPointF(490, 240)})
        expect("cloth", p, "playing area");
}

TEST_F(ShippedTable, CushionFacesLieOneBallRadiusBeyondTheCentreLines)
{
    struct Face {
        const char* where;
        QPointF on_face;
        QPointF outward;
    };
    const Face faces[] = {
        {"top left", {150, 46 - RADIUS}, {0, -1}},  {"top right", {400, 46 - RADIUS}, {0, -1}},
        {"bottom left", {150, 255 + RADIUS}, {0, 1}}, {"bottom right", {400, 255 + RADIUS}, {0, 1}},
        {"left", {45 - RADIUS, 150}, {-1, 0}},       {"right", {505 + RADIUS, 150}, {1, 0}},
    };
    for (const Face& face : faces) {
        expect("cloth", face.on_face - 2 * face.outward, face.where);
        expect("cushion", face.on_face + 2 * face.outward, face.where);
        expect("cushion", face.on_face + 7 * face.outward, face.where);
        expect("wood", face.on_face + 14 * face.outward, face.where);
    }
}

TEST_F(ShippedTable, JawsLieOneBallRadiusBeyondTheirCentreLines)
{
    for (const Jaw& jaw : JAWS) {
        // Near the rail end of the jaw, clear of its corner on the face.
        const QPointF centre = jaw.end + 8 * jaw.toward_pocket;
        const QPointF edge = centre + RADIUS * jaw.into_cushion;
        expect("cushion", edge + 2.5 * jaw.into_cushion, jaw.where);
        const QPointF beyond_edge = edge - 2.5 * jaw.into_cushion;
        EXPECT_TRUE(open(at(beyond_edge))) << jaw.where << ": " << at(beyond_edge);
    }
}

TEST_F(ShippedTable, MiddlePocketThroatsAreOpenBetweenTheirWalls)
{
    // The ball's centre runs between x 267 and 277 beyond y 32 and y 268: the
    // walls stand at x 258 and 286.
    for (double y : {29.0, 271.0}) {
        expect("cushion", {255, y}, "left of the throat");
        expect("cushion", {289, y}, "right of the throat");
        for (double x : {261.0, 272.0, 283.0})
            EXPECT_TRUE(open(at({x, y}))) << x << ", " << y << ": " << at({x, y});
    }
}

TEST_F(ShippedTable, CornerChannelsAreOpenThroughTheCushionBand)
{
    // Between the two jaws of each corner, beside the ends of both cushions.
    const QPointF channel_points[] = {{45, 33}, {33, 45}, {505, 33}, {519, 45},
                                      {45, 267}, {33, 257}, {505, 267}, {519, 255}};
    for (QPointF p : channel_points)
        EXPECT_TRUE(open(at(p))) << p.x() << ", " << p.y() << ": " << at(p);
}

TEST_F(ShippedTable, AWoodenRailRunsRoundTheOutside)
{
    for (QPointF p : {QPointF(120, 12), QPointF(120, 288), QPointF(12, 120), QPointF(537, 120)})
        expect("wood", p, "rail");
}
