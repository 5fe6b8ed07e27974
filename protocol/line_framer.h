#pragma once

#include <optional>
#include <string>
#include <string_view>

// Cuts the bytes that arrive on a connection into the protocol's lines: UTF-8
// text ending in "\n" (a "\r" before it is dropped), 4096 bytes at most with
// the end. A line that breaks either rule is a fault, after which nothing more
// comes out. What it holds stays below two lines' worth as long as bytes are
// added in pieces of at most a line and the lines are taken after each piece.
class LineFramer {
public:
    enum class Fault { none, too_long, not_utf8 };

    void add(std::string_view bytes) { pending_.append(bytes); }
    // The next whole line without its end; nothing while no whole line has
    // arrived, or after a fault.
    std::optional<std::string> next_line();
    Fault fault() const { return fault_; }

private:
    std::optional<std::string> refuse(Fault fault);

    std::string pending_;
    Fault fault_ = Fault::none;
};
