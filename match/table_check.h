#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr uint64_t FNV_OFFSET_BASIS = 14695981039346656037u;
constexpr uint64_t FNV_PRIME = 1099511628211u;

// The 64-bit FNV-1a hash of `bytes`, going on from `hash`.
uint64_t fnv1a(std::string_view bytes, uint64_t hash = FNV_OFFSET_BASIS);
// 16 lower-case hex digits.
std::string hex_text(uint64_t value);

// The state line of the table as it stands, without its leading "t" member:
// what two tables that agree have in common, whenever each was played.
std::string table_state_without_time();
// Its FNV-1a hash as 16 lower-case hex digits: what a network match checks
// after every input and a match file ends with.
std::string table_check_hash();
