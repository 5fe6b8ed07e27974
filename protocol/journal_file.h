#pragma once

#include <string>
#include <variant>

#include "protocol/host_journal.h"
#include "protocol/match_keeper.h"

// A hosted match's journal on the disk: each line is written and flushed to
// the disk before the owner sends what it records. A journal that cannot be
// written does not stop the match: the trouble is kept for the player.
class JournalFile : public MatchKeeper {
public:
    // A new match, whose file is made when its first guest sits down; `head`
    // holds the player and where the match is hosted.
    JournalFile(std::string path, HostJournal head);
    ~JournalFile() override;
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    // A match resumed: its file is written anew from `journal`, then goes on.
    void resume(const HostJournal& journal);
    // The match was ended on purpose: its journal goes.
    void remove();
    // Empty while every line has reached the disk.
    const std::string& trouble() const { return trouble_; }

    void seated(std::string_view token, std::string_view guest) override;
    void rack_set_up(uint32_t praise, const RacksWon& won_before) override;
    void numbered(Side side, const NumberedInput& numbered) override;

private:
    void write_whole(const std::string& text);
    void append(const std::string& text);
    void close();
    void fail(const std::string& what);

    std::string path_;
    HostJournal head_;
    int fd_ = -1;
    std::string trouble_;
};

// The journal at `path`, read as hostile input.
std::variant<HostJournal, JournalFault> load_journal(const std::string& path);

// Where the game keeps its hosted match: the user's state folder
// ($XDG_STATE_HOME, else ~/.local/state), in corvenne/. Empty without a home.
std::string default_journal_path();
