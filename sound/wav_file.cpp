#include "sound/wav_file.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr uint16_t PCM = 1;
constexpr uint16_t CHANNELS = 1;
constexpr uint16_t BITS = 16;
constexpr uint16_t FRAME_BYTES = CHANNELS * BITS / 8;
constexpr uint32_t FORMAT_BYTES = 16;
constexpr size_t CHUNK_HEADER_BYTES = 8;
constexpr size_t RIFF_HEADER_BYTES = 12;  // "RIFF", its size, "WAVE"

void put_little_endian(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void put_tag(std::vector<uint8_t>& out, std::string_view tag)
{
    out.insert(out.end(), tag.begin(), tag.end());
}

uint32_t u16_at(std::span<const uint8_t> bytes, size_t at)
{
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8;
}

uint32_t u32_at(std::span<const uint8_t> bytes, size_t at)
{
    return u16_at(bytes, at) | u16_at(bytes, at + 2) << 16;
}

bool tag_at(std::span<const uint8_t> bytes, size_t at, std::string_view tag)
{
    return bytes.size() >= at + tag.size() && std::equal(tag.begin(), tag.end(), bytes.begin() + at);
}

bool is_our_format(std::span<const uint8_t> chunk)
{
    return chunk.size() >= FORMAT_BYTES && u16_at(chunk, 0) == PCM && u16_at(chunk, 2) == CHANNELS
           && u32_at(chunk, 4) == SAMPLE_RATE && u16_at(chunk, 14) == BITS;
}

Sample frames_of(std::span<const uint8_t> chunk)
{
    Sample sample(chunk.size() / FRAME_BYTES);
    for (size_t i = 0; i < sample.size(); ++i) sample[i] = int16_t(u16_at(chunk, i * FRAME_BYTES));
    return sample;
}

}  // namespace

std::vector<uint8_t> encode_wav(const Sample& sample)
{
    const uint32_t data_bytes = uint32_t(sample.size()) * FRAME_BYTES;
    std::vector<uint8_t> out;
    out.reserve(RIFF_HEADER_BYTES + 2 * CHUNK_HEADER_BYTES + FORMAT_BYTES + data_bytes);
    put_tag(out, "RIFF");
    put_little_endian(out, uint32_t(4 + 2 * CHUNK_HEADER_BYTES + FORMAT_BYTES + data_bytes), 4);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put_little_endian(out, FORMAT_BYTES, 4);
    put_little_endian(out, PCM, 2);
    put_little_endian(out, CHANNELS, 2);
    put_little_endian(out, SAMPLE_RATE, 4);
    put_little_endian(out, SAMPLE_RATE * FRAME_BYTES, 4);  // bytes a second
    put_little_endian(out, FRAME_BYTES, 2);
    put_little_endian(out, BITS, 2);
    put_tag(out, "data");
    put_little_endian(out, data_bytes, 4);
    for (int16_t frame : sample) put_little_endian(out, uint16_t(frame), 2);
    return out;
}

// Walks the chunks after the RIFF header; the format must come before the data.
std::optional<Sample> decode_wav(std::span<const uint8_t> bytes)
{
    if (!tag_at(bytes, 0, "RIFF") || !tag_at(bytes, 8, "WAVE")) return std::nullopt;
    bool format_seen = false;
    for (size_t at = RIFF_HEADER_BYTES; at + CHUNK_HEADER_BYTES <= bytes.size();) {
        const size_t size = u32_at(bytes, at + 4);
        const size_t body = at + CHUNK_HEADER_BYTES;
        if (size > bytes.size() - body) return std::nullopt;
        const std::span<const uint8_t> chunk = bytes.subspan(body, size);
        if (tag_at(bytes, at, "fmt ")) {
            if (!is_our_format(chunk)) return std::nullopt;
            format_seen = true;
        } else if (tag_at(bytes, at, "data")) {
            if (!format_seen) return std::nullopt;
            return frames_of(chunk);
        }
        at = body + size + size % 2;  // chunks are padded to an even size
    }
    return std::nullopt;
}
