#include "protocol/journal_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

constexpr const char* JOURNAL_NAME = "corvenne/hosted-match.journal";

std::string system_reason()
{
    return std::strerror(errno);
}

bool write_all(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return ::fdatasync(fd) == 0;
}

}  // namespace

JournalFile::JournalFile(std::string path, HostJournal head) : path_(std::move(path)), head_(std::move(head)) {}

JournalFile::~JournalFile()
{
    close();
}

void JournalFile::resume(const HostJournal& journal)
{
    head_ = journal;
    write_whole(journal_text(journal));
}

void JournalFile::remove()
{
    close();
    ::unlink(path_.c_str());
}

void JournalFile::seated(std::string_view token, std::string_view guest)
{
    if (fd_ < 0 && trouble_.empty())
        write_whole(journal_head(head_) + seat_line(token, guest));
    else
        append(seat_line(token, guest));
}

void JournalFile::rack_set_up(uint32_t praise, const RacksWon& won_before)
{
    append(rack_line(praise, won_before));
}

void JournalFile::numbered(Side side, const NumberedInput& numbered)
{
    append(input_line({side, numbered}));
}

// Written beside the old journal and put in its place whole, so that a crash
// leaves one or the other.
void JournalFile::write_whole(const std::string& text)
{
    close();
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), error);
    const std::string beside = path_ + ".new";
    fd_ = ::open(beside.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd_ < 0) return fail("cannot be made");
    if (!write_all(fd_, text)) return fail("cannot be written");
    if (::rename(beside.c_str(), path_.c_str()) != 0) fail("cannot be put in place");
}

void JournalFile::append(const std::string& text)
{
    if (fd_ < 0) return;
    if (!write_all(fd_, text)) fail("cannot be written");
}

void JournalFile::close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void JournalFile::fail(const std::string& what)
{
    trouble_ = "The match's journal " + path_ + " " + what + ": " + system_reason();
    close();
}

std::variant<HostJournal, JournalFault> load_journal(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return JournalFault{0, path + " cannot be read: " + system_reason()};
    // One byte more than a journal may hold tells one that is too large.
    std::string text(MAX_JOURNAL_BYTES + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) return JournalFault{0, path + " cannot be read"};
    text.resize(static_cast<std::size_t>(file.gcount()));
    return read_journal(text);
}

std::string default_journal_path()
{
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return std::string(state) + "/" + JOURNAL_NAME;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.local/state/" + JOURNAL_NAME;
    return {};
}
