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
    QCoreApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const kosmolux::Console console{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
    return kosmolux::RunCommand(arguments, console);
}
