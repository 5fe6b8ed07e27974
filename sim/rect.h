#pragma once

#include <algorithm>
#include <cstdint>

// A pixel rectangle; right and bottom are exclusive.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// The smallest rectangle holding both; an empty side is ignored, and two
// empty ones give (0, 0, 0, 0).
inline Rect united(const Rect& a, const Rect& b)
{
    if (a.empty() && b.empty()) return Rect{};
    if (a.empty()) return b;
    if (b.empty()) return a;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top),
                std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}
