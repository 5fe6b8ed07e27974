#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// The state lines `corvenne-replay` (at `driver`) prints for `script`, run as
// its own process from the current folder, which must hold the table picture.
inline std::string driver_output(const std::string& driver, const std::string& script)
{
    const std::filesystem::path input =
        std::filesystem::temp_directory_path() / ("corvenne-driver-input-" + std::to_string(getpid()) + ".script");
    std::ofstream(input, std::ios::binary) << script;
    const std::string command = "'" + driver + "' < '" + input.string() + "'";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
        pclose(pipe);
    }
    std::filesystem::remove(input);
    return output;
}

// A state line without its leading time member and its line break, as a
// table's check hash reads it.
inline std::string without_time(const std::string& state_line)
{
    const std::string line = state_line.substr(0, state_line.find('\n'));
    return "{" + line.substr(line.find(',') + 1);
}
