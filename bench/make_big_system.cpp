// make_big_system COUNT FILE: writes a system of COUNT bodies (at most 32767)
// for measuring the programs by hand.
#include <charconv>
#include <cstring>
#include <iostream>

#include <QCoreApplication>

#include "bigsystem.h"

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    int count = 0;
    const char* countText = argc == 3 ? argv[1] : "";
    const auto [end, error] = std::from_chars(countText, countText + std::strlen(countText), count);
    if (argc != 3 || error != std::errc() || *end != '\0' || count < 1 || count > 32767) {
        std::cerr << "usage: make_big_system COUNT FILE (COUNT from 1 to 32767)" << std::endl;
        return 2;
    }
    if (!kosmolux::WriteBigSystem(QString::fromLocal8Bit(argv[2]), count)) {
        std::cerr << "make_big_system: cannot write " << argv[2] << std::endl;
        return 1;
    }
    return 0;
}
