#include "match/table_check.h"

#include <cstdio>

#include "match/state_line.h"

uint64_t fnv1a(std::string_view bytes, uint64_t hash)
{
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * FNV_PRIME;
    return hash;
}

std::string hex_text(uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

std::string table_state_without_time()
{
    const std::string line = state_line(0);
    // The line starts {"t":0, and goes on with "balls".
    return "{" + line.substr(line.find(',') + 1);
}

std::string table_check_hash()
{
    return hex_text(fnv1a(table_state_without_time()));
}
