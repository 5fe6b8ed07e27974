#include "net/status_text.h"

std::string connection_status(std::string_view remote_name, EndReason reason)
{
    const char* what = "";
    switch (reason) {
    case EndReason::left: what = "left"; break;
    case EndReason::lost: what = "connection lost"; break;
    case EndReason::malformed: what = "malformed"; break;
    case EndReason::version: what = "another version"; break;
    case EndReason::busy: what = "already has a guest"; break;
    case EndReason::replaced: what = "joined again elsewhere"; break;
    }
    return std::string(remote_name) + " \u2014 " + what;
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
