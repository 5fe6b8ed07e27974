#pragma once

// The largest width or height a picture file may claim. Anything larger is
// refused before memory is set aside for it, so a damaged or hostile header
// cannot make the game allocate gigabytes.
constexpr int MAX_PICTURE_SIDE = 16384;
