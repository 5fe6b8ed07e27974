#include <QGuiApplication>
#include <csignal>
#include <iostream>

#include "replay/match_script.h"

// Plays a match script from standard input without a window and writes the
// table's state lines to standard output.
int main(int argc, char* argv[])
{
    // No display is needed: the table's pixels live in memory.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    // A reader that goes away is a failed write, told and ended with its own status.
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(false);
    return run_replay(std::cin, std::cout, std::cerr);
}
