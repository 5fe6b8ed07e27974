#pragma once

#include <cstddef>

// The largest width or height a picture file may claim. Anything larger is
// refused before memory is set aside for it. At this size a 32-bit table
// picture costs 64 MB in the file's bytes, the decoded pixels and each of the
// two bitmaps, so loading it with its back buffer stays under 256 MB.
constexpr int MAX_PICTURE_SIDE = 4096;

// How many bytes a picture file may hold beyond the end of its pixels (a
// colour profile, say). A longer tail is refused without being read.
constexpr size_t PICTURE_FILE_ALLOWANCE = 64 * 1024;
