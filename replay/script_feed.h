#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

// The script's lines. Once a network match has begun they are read on a
// thread of their own, so that the driver goes on answering the other side
// while it waits for its next command.
class ScriptFeed {
public:
    explicit ScriptFeed(std::istream& script) : script_(script) {}
    ~ScriptFeed();
    ScriptFeed(const ScriptFeed&) = delete;
    ScriptFeed& operator=(const ScriptFeed&) = delete;

    // The next line, nothing at the end of the script. With `handle_events`,
    // the program's events go on while it waits.
    std::optional<std::string> next_line(bool handle_events);
    // The script could not be read to its end.
    bool failed() const;

private:
    struct Shared;
    void start_reader();

    std::istream& script_;
    std::shared_ptr<Shared> shared_;
    std::thread reader_;
};
