#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "view/pictures/bmp_decoder.h"
#include "view/pictures/picture_limits.h"

// The bytes of a "tavlo2.bmp" as the table picture's loader reads them: it
// decodes them and, on success, copies width × height pixels row by row.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BmpPicture picture = decode_bmp({data, size});
    if (!picture.error.empty()) {
        fuzz_check(picture.pixels.empty() && picture.width == 0 && picture.height == 0,
                   "a refused picture comes with no pixels");
        return 0;
    }
    fuzz_check(picture.width > 0 && picture.height > 0, "an accepted picture has pixels");
    fuzz_check(picture.width <= MAX_PICTURE_SIDE && picture.height <= MAX_PICTURE_SIDE,
               "an accepted picture is no larger than the limit");
    fuzz_check(picture.pixels.size() == size_t(picture.width) * size_t(picture.height),
               "an accepted picture holds every pixel its size claims");
    for (uint32_t pixel : picture.pixels) fuzz_check(pixel >> 24 == 0xFF, "every pixel is opaque");
    return 0;
}
