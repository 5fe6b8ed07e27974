#include "protocol/status_text.h"

#include <cctype>

#include "match/match_limits.h"
#include "match/utf8.h"

std::string_view end_words(EndReason reason)
{
    switch (reason) {
    case EndReason::left: return "left";
    case EndReason::lost: return "connection lost";
    case EndReason::malformed: return "sent what this game cannot read";
    case EndReason::version: return "another version";
    case EndReason::busy: return "already has a guest";
    case EndReason::replaced: return "joined again elsewhere";
    case EndReason::full: return "has watchers enough";
    }
    return {};
}

std::string end_sentence(std::string_view remote_name, EndReason reason)
{
    // A host that turned this guest away before it said its name.
    const std::string name = remote_name.empty() ? "the other player" : std::string(remote_name);
    std::string sentence;
    switch (reason) {
    case EndReason::left: sentence = name + " left the game"; break;
    case EndReason::lost: sentence = "The connection to " + name + " was lost"; break;
    case EndReason::malformed: sentence = name + "'s game sent what this game cannot read"; break;
    case EndReason::version: sentence = name + "'s game speaks another version"; break;
    case EndReason::busy: sentence = name + "'s game already has a second player"; break;
    case EndReason::replaced: sentence = name + "'s game gave this seat to a newer connection"; break;
    case EndReason::full: sentence = name + "'s game has as many watchers as it takes"; break;
    }
    if (remote_name.empty() && sentence.starts_with(name))
        sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
    return sentence;
}

std::string rejoining_text(std::string_view remote_name, int tries)
{
    std::string text = "Connection to " + std::string(remote_name) + " lost: joining again\u2026";
    if (tries > 0) text += " (" + std::to_string(tries) + ")";
    return text;
}

std::string back_text(std::string_view remote_name)
{
    return std::string(remote_name) + " is back";
}

std::string name_problem(std::string_view name)
{
    const std::string most = std::to_string(MAX_NAME_CHARACTERS);
    if (name.empty()) return "Type your name, 1 to " + most + " characters: the other player sees it.";
    if (is_player_name(name)) return {};
    return "A name is at most " + most + " characters, none of them a control character.";
}

std::string refusal_text(std::string_view remote_name, InputKind kind)
{
    switch (kind) {
    case InputKind::shot: return "Not your shot";
    case InputKind::place: return "The cue ball cannot be placed now";
    case InputKind::undo: return "Only the last shot of your own can be taken back";
    case InputKind::new_game: return std::string(remote_name) + " plays on: no new game";
    }
    return {};
}
