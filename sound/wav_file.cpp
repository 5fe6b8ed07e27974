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

void put_u16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t value)
{
    put_u16(out, value & 0xFFFF);
    put_u16(out, value >> 16);
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
    put_u32(out, uint32_t(4 + 2 * CHUNK_HEADER_BYTES + FORMAT_BYTES + data_bytes));
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put_u32(out, FORMAT_BYTES);
    put_u16(out, PCM);
    put_u16(out, CHANNELS);
    put_u32(out, SAMPLE_RATE);
    put_u32(out, SAMPLE_RATE * FRAME_BYTES);  // bytes a second
    put_u16(out, FRAME_BYTES);
    put_u16(out, BITS);
    put_tag(out, "data");
    put_u32(out, data_bytes);
    for (int16_t frame : sample) put_u16(out, uint16_t(frame));
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
