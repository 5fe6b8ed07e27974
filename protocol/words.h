#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

// The words of the protocol's lines and of the host's journal.

// A line cut after its first word; `rest` is what follows the space, and
// nothing when there is no space.
struct Cut {
    std::string_view word;
    std::optional<std::string_view> rest;
};
Cut cut_first_word(std::string_view line);

// A decimal number without sign or leading zero, from `least` to `most`.
std::optional<uint32_t> read_number(std::string_view word, uint64_t least,
                                    uint64_t most = std::numeric_limits<uint32_t>::max());
