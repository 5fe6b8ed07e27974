#include "view/pictures/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "view/pictures/picture_limits.h"

namespace {

// libjpeg reports every error through `error_exit`, which must not return.
// Ours jumps back into decode_into with the message kept for the caller.
struct ErrorTrap {
    jpeg_error_mgr manager{};
    std::jmp_buf escape{};
    char message[JMSG_LENGTH_MAX] = {};
};

ErrorTrap& trap_of(j_common_ptr info)
{
    return *reinterpret_cast<ErrorTrap*>(info->err);
}

[[noreturn]] void leave_on_error(j_common_ptr info)
{
    info->err->format_message(info, trap_of(info).message);
    std::longjmp(trap_of(info).escape, 1);
}

// Warnings mean damaged data that libjpeg would paper over with grey; a
// damaged picture is refused instead. Trace messages are dropped.
void leave_on_warning(j_common_ptr info, int level)
{
    if (level < 0)
        leave_on_error(info);
}

// Destroys the decompressor however decode_jpeg leaves.
struct Decompressor {
    jpeg_decompress_struct info{};
    ~Decompressor() { jpeg_destroy_decompress(&info); }
};

bool too_large(const jpeg_decompress_struct& info)
{
    return info.image_width > unsigned(MAX_PICTURE_SIDE) || info.image_height > unsigned(MAX_PICTURE_SIDE);
}

// Rows are added one at a time, so damaged data that claims a huge picture
// fails before much memory is taken.
void read_rows(jpeg_decompress_struct& info, std::vector<uint8_t>& rgb)
{
    const size_t row_bytes = size_t(info.output_width) * 3;
    while (info.output_scanline < info.output_height) {
        rgb.resize(rgb.size() + row_bytes);
        JSAMPROW row = rgb.data() + rgb.size() - row_bytes;
        jpeg_read_scanlines(&info, &row, 1);
    }
}

// Runs libjpeg over `bytes` into `picture`. Nothing in this frame needs
// unwinding, so libjpeg's errors may jump straight back to the setjmp here.
bool decode_into(jpeg_decompress_struct& info, ErrorTrap& trap, std::span<const uint8_t> bytes, JpegPicture& picture)
{
    if (setjmp(trap.escape))
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (too_large(info)) {
        std::snprintf(trap.message, sizeof trap.message, "the picture size %u × %u is absurd", info.image_width,
                      info.image_height);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    read_rows(info, picture.rgb);
    jpeg_finish_decompress(&info);
    picture.width = int(info.output_width);
    picture.height = int(info.output_height);
    return true;
}

}  // namespace

JpegPicture decode_jpeg(std::span<const uint8_t> bytes)
{
    JpegPicture picture;
    Decompressor decompressor;
    ErrorTrap trap;
    decompressor.info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = leave_on_error;
    trap.manager.emit_message = leave_on_warning;
    if (!decode_into(decompressor.info, trap, bytes, picture)) {
        picture = JpegPicture{};
        picture.error = std::string("not a readable JPEG picture: ") + trap.message;
    }
    return picture;
}
