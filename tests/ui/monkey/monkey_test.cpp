// A monkey at the window: a long random sequence of user actions on the main
// window and its dialogs, with the program's soundness checked after each.
//
// The default run does a few hundred actions in each language. The long run,
// 10,000 actions:
//   KOSMOLUX_MONKEY_ACTIONS=10000 build-NAME/tests/ui/monkey/ui_monkey_tests
// Another seed: KOSMOLUX_MONKEY_SEED=12345; every action on standard error as
// it happens: KOSMOLUX_MONKEY_TRACE=1.
#include <cstdlib>
#include <iostream>

#include <QLocale>

#include <gtest/gtest.h>

#include "ui/monkey/monkey.h"

namespace kosmolux::monkey {
namespace {

// The default seed: any fixed number, so that a plain test run repeats itself.
constexpr unsigned long DefaultSeed = 20240613;
constexpr unsigned long DefaultActions = 500;

unsigned long FromEnvironment(const char* name, unsigned long otherwise)
{
    const char* text = std::getenv(name);
    if (!text || !*text)
        return otherwise;
    return std::strtoul(text, nullptr, 10);
}

void RunTheMonkey()
{
    const auto seed =
        static_cast<std::uint32_t>(FromEnvironment("KOSMOLUX_MONKEY_SEED", DefaultSeed));
    const auto actions =
        static_cast<int>(FromEnvironment("KOSMOLUX_MONKEY_ACTIONS", DefaultActions));
    const bool trace = FromEnvironment("KOSMOLUX_MONKEY_TRACE", 0) != 0;
    // Printed first, so that a crash can be repeated too.
    std::cout << "monkey: seed " << seed << ", " << actions << " actions, "
              << QLocale().name().toStdString() << std::endl;

    Monkey monkey(seed, actions, QStringLiteral(KOSMOLUX_EXAMPLES_DIR), trace);
    const QString report = monkey.Run();
    std::cout << "monkey: " << monkey.Summary().toStdString() << std::endl;
    ASSERT_TRUE(report.isEmpty()) << report.toStdString();
    EXPECT_GE(monkey.ActionsDone(), actions);
}

TEST(Monkey, RandomActionsLeaveTheProgramSound)
{
    RunTheMonkey();
}

// Numbers and dates follow the user's regional settings: in German the comma
// separates decimals and the point groups thousands, in the files too.
TEST(Monkey, RandomActionsLeaveTheProgramSoundInGerman)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    RunTheMonkey();
    QLocale::setDefault(previous);
}

}  // namespace
}  // namespace kosmolux::monkey
