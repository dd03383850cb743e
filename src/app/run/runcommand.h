#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kosmolux {

// Exit statuses of kosmolux-run.
inline constexpr int ExitDone = 0;
inline constexpr int ExitFileProblem = 1;  // a file could not be read or written, or holds no bodies
inline constexpr int ExitUsage = 2;        // the command line is wrong
inline constexpr int ExitNonFinite = 3;    // a body's motion became non-finite; what there is was saved

// Where the program talks: standard output and standard error, and whether
// standard error is a terminal (only then is there a progress line).
struct Console {
    std::ostream& Out;
    std::ostream& Err;
    bool ErrIsTerminal = false;
};

// All of kosmolux-run after start-up: reads the arguments that follow the
// program name, loads, runs and saves. Returns the exit status.
int RunCommand(const std::vector<std::string>& arguments, const Console& console);

}  // namespace kosmolux
