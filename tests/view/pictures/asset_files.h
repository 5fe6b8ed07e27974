#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The bytes of a file shipped in assets/, empty if it cannot be read.
inline std::vector<uint8_t> asset_bytes(const std::string& name)
{
    std::ifstream file(std::string(CORVENNE_ASSETS_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
