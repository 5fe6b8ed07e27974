#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "sim/window.h"

// A headless window with a back buffer of one value per pixel: the table
// picture is plain cloth, a painted disc fills its square with the ball's
// colour. Enough to see which balls the back buffer shows, and where.
class TablePixels : public Window {
public:
    static constexpr int CLOTH = -1;

    TablePixels() { clear(); }

    bool set_up_bitmaps() override { clear(); return true; }
    void reset_back_buffer() override { clear(); }
    void paint_disc(const Rect& square, int32_t colour) override { fill(square, colour); }
    void restore_square(const Rect& square) override { fill(square, CLOTH); }
    void write_banner(const std::string& text) override { banner_texts.push_back(text); }
    void show_table_picture() override { ++table_picture_shown; }
    void show_back_buffer() override { ++back_buffer_shown; }

    bool operator==(const TablePixels& other) const { return pixels_ == other.pixels_; }
    int32_t at(int x, int y) const { return pixels_[index(x, y)]; }

    std::vector<std::string> banner_texts;
    int table_picture_shown = 0;
    int back_buffer_shown = 0;

private:
    // Table coordinates with a margin for balls just beyond the capture lines.
    static constexpr int LEFT = -40, TOP = -40, WIDTH = 640, HEIGHT = 380;

    static int index(int x, int y)
    {
        if (x < LEFT || x >= LEFT + WIDTH || y < TOP || y >= TOP + HEIGHT)
            throw std::out_of_range("pixel outside the test back buffer");
        return (y - TOP) * WIDTH + (x - LEFT);
    }
    void clear() { pixels_.assign(WIDTH * HEIGHT, CLOTH); }
    void fill(const Rect& r, int32_t value)
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) pixels_[index(x, y)] = value;
    }

    std::vector<int32_t> pixels_;
};

// The back buffer that the balls in the game state should give: the cloth
// with every ball on the table drawn, in ball order.
TablePixels expected_back_buffer();
