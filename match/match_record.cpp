#include "match/match_record.h"

std::string script_text(const MatchRecord& record)
{
    std::string text = "praise " + std::to_string(record.praise_at_rack) + "\n";
    for (const std::string& input : record.inputs) text += input + "\n";
    return text;
}
