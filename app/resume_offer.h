#pragma once

class NetworkSeat;
class QWidget;
struct RunRequest;

// On start: every match hosted from now on is kept in the game's journal, and
// a hosted match whose program ended without leaving it (killed, the
// computer restarted) is offered to the player, "Resume the match with
// Boris?", or resumed without asking with --resume; not while the command
// line hosts or joins. No keeps the journal for a later start, until another
// match is hosted. A journal that does not read is told, with its line, and
// put aside.
void offer_to_resume(NetworkSeat& network, QWidget& window, const RunRequest& request);
