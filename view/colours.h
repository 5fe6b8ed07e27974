#pragma once

#include <QColor>
#include <cstdint>

// The game's colours are 0x00BBGGRR.
inline QRgb to_qrgb(int32_t colour)
{
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}
