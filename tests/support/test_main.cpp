#include <cstdlib>

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

// Every test program runs headless and in one fixed locale, also when CTest
// discovers its tests at build time, where CTest's environment does not apply.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("LC_ALL", "en_US.UTF-8", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return RUN_ALL_TESTS();
}
