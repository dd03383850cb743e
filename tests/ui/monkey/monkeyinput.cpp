#include "ui/monkey/monkeyinput.h"

#include <cmath>

#include <QDate>
#include <QStringList>

#include "platform/textformats.h"
#include "storage/sciformat.h"

namespace kosmolux::monkey {

namespace {

// Texts at the edges of what the number boxes take: too large or too small
// for a double, the largest and smallest doubles, signed zero, no number.
const std::vector<QString> WildNumbers = {
    QStringLiteral("1e308"), QStringLiteral("-1.7976931348623157e308"),
    QStringLiteral("1.79769313486232E+308"), QStringLiteral("1e999"), QStringLiteral("-1e999"),
    QStringLiteral("1e-999"), QStringLiteral("4.9e-324"), QStringLiteral("2.2250738585072014e-308"),
    QStringLiteral("-0"), QStringLiteral("0"), QStringLiteral(" 42 "), QStringLiteral("1,000"),
    QStringLiteral("1.2.3"), QStringLiteral("nan"), QStringLiteral("inf"), QStringLiteral("-inf"),
    QStringLiteral(""), QStringLiteral("abc"), QStringLiteral("1e"), QStringLiteral("--1"),
    QStringLiteral("0x10"), QStringLiteral("1e+"), QStringLiteral("\u0661\u0662"),
    QStringLiteral("123456789012345678901234567890"), QStringLiteral("1e30"),
    QStringLiteral("-1e30"), QString(400, u'9'),
    QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1")};

// Names that a save must refuse or keep apart, names the generator asks
// again for, and pairs that differ only in their capitals, some of them
// only when capitals are folded rather than lowered.
const std::vector<QString> TrickyNames = {
    QStringLiteral("Sun"), QStringLiteral("sun"), QStringLiteral("SUN"), QStringLiteral("\u017Fun"),
    QStringLiteral("\u03C3"), QStringLiteral("\u03C2"), QStringLiteral("\u03A3"),
    QStringLiteral("\u00B5"), QStringLiteral("\u03BC"), QStringLiteral("\u03D0"),
    QStringLiteral("\u03B2"), QStringLiteral("Stra\u00DFe"), QStringLiteral("STRASSE"),
    QStringLiteral("\u1E9E"), QStringLiteral("\u0130"), QStringLiteral("\u0131"),
    QStringLiteral("i"), QStringLiteral("\u01C4"), QStringLiteral("\u01C5"),
    QStringLiteral("\u01C6"), QStringLiteral("\u2126"), QStringLiteral("\u03C9"),
    QStringLiteral("\u212A"), QStringLiteral("k"), QStringLiteral("New Star"),
    QStringLiteral("New"), QStringLiteral("new moon"), QStringLiteral("Newton"),
    QStringLiteral("*"), QStringLiteral("(none)"), QStringLiteral("System"),
    QStringLiteral("general"), QStringLiteral("a]b"), QStringLiteral("[x"), QStringLiteral("a=b"),
    QStringLiteral(";c"), QStringLiteral("\"q\""), QStringLiteral("'q'"), QStringLiteral(" lead"),
    QStringLiteral("trail "), QStringLiteral("a\tb"), QStringLiteral("line\nbreak"),
    QStringLiteral("\U0001F600"), QStringLiteral("A & B"), QStringLiteral("\u00E9"),
    QStringLiteral("\u00C9"), QString(255, u'x'), QString(256, u'y'),
    QString(254, u'z') + QStringLiteral("\U0001F600"),
    QStringLiteral("nul") + QChar(0) + QStringLiteral("l")};

const std::vector<QString> PlainNames = {
    QStringLiteral("Vesta"), QStringLiteral("Ceres"), QStringLiteral("Io"), QStringLiteral("Titan"),
    QStringLiteral("Rock"), QStringLiteral("Probe")};

}  // namespace

bool MonkeyInput::Chance(double probability)
{
    return std::bernoulli_distribution(probability)(engine_);
}

int MonkeyInput::Below(int count)
{
    return std::uniform_int_distribution<int>(0, count - 1)(engine_);
}

int MonkeyInput::Between(int lowest, int highest)
{
    return std::uniform_int_distribution<int>(lowest, highest)(engine_);
}

QString MonkeyInput::OrdinaryNumber()
{
    const double mantissa = std::uniform_real_distribution<double>(1.0, 10.0)(engine_);
    const double value = (Chance(0.3) ? -mantissa : mantissa) * std::pow(10.0, Between(-3, 30));
    // The program's own form, or the C form, which is no number where the comma separates decimals.
    return Chance(0.7) ? SciFormat(value) : QString::number(value, 'g', Between(1, 17));
}

QString MonkeyInput::NumberText()
{
    return Chance(0.7) ? OrdinaryNumber() : PickFrom(WildNumbers);
}

QString MonkeyInput::NameText()
{
    if (Chance(0.5))
        return PickFrom(PlainNames) + QString::number(Between(1, 999));
    return PickFrom(TrickyNames);
}

QString MonkeyInput::DateText()
{
    const QDate some(Between(1, 9999), Between(1, 12), Between(1, 28));
    switch (Below(5)) {
    case 0:
        return text::FormatLongDate(some);
    case 1:
        return text::FormatShortDate(some);
    case 2:
        return some.toString(Qt::ISODate);
    default:
        return PickFrom(std::vector<QString>{
            QStringLiteral("31 Feb 2001"), QStringLiteral(""), QStringLiteral("garbage"),
            QStringLiteral("1/1/99"), QStringLiteral("29 Feb 2000"), QStringLiteral("0001-01-01"),
            QStringLiteral("9999-12-31"), QStringLiteral("12/31/9999"), QStringLiteral("1/1/0"),
            QStringLiteral("0000-01-01"), QStringLiteral(" 5 Mar 2020 "),
            QStringLiteral("13/13/2013"), QStringLiteral("-0500-01-01"),
            QStringLiteral("10000-01-01")});
    }
}

std::optional<Colour> MonkeyInput::ColourAnswer()
{
    if (Chance(0.2))
        return std::nullopt;
    return static_cast<Colour>(Below(1 << 24));
}

float SeededRandom::Draw()
{
    // As the program's own generator: 24 random bits, never 1.
    return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
}

}  // namespace kosmolux::monkey
