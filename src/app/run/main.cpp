#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include <QCoreApplication>

#include "app/run/runcommand.h"

// kosmolux-run: runs a system file without a window. Qt Core only, for the
// locale, dates and files; no display is needed.
int main(int argc, char** argv)
{
    // Beyond the file-size limit (ulimit -f) a write then fails with "File too
    // large", which a save reports, instead of the signal ending the program
    // and taking the system in memory with it.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const kosmolux::Console console{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
    return kosmolux::RunCommand(arguments, console);
}
