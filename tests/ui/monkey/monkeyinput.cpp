#include "ui/monkey/monkeyinput.h"

#include <cmath>

#include <QDate>
#include <QStringList>

#include "platform/textformats.h"
#include "storage/sciformat.h"

namespace kosmolux::monkey {

// Odd are: no number, the ends of a double's range, names the system file cannot carry or
// that differ only in their capitals, dates that do not exist.
QString TextFor(Dice& dice, const QString& boxName)
{
    const auto split = [](const char* texts) { return QString::fromUtf8(texts).split('|'); };
    static const QStringList wildNumbers =
        split("1e308|-1.7976931348623157e308|1.79769313486232E+308|1e999|-1e999|1e-999|4.9e-324|"
              "2.2250738585072014e-308|-0|0| 42 |1,000|1.2.3|nan|inf|-inf||abc|1e|--1|0x10|1e+|"
              "\u0661\u0662|123456789012345678901234567890|-1e30")
        << QString(400, u'9') << "0." + QString(400, u'0') + '1';
    // Names a save must refuse or keep apart, names the generator asks again
    // for, and names that differ only in their capitals, some only when folded.
    static const QStringList names =
        split("Sun|sun|SUN|\u017Fun|\u03C3|\u03C2|\u03A3|\u00B5|\u03BC|\u03D0|\u03B2|Stra\u00DFe|"
              "STRASSE|\u1E9E|\u0130|\u0131|i|\u01C4|\u01C5|\u01C6|\u2126|\u03C9|\u212A|k|New|"
              "New Star|new moon|Newton|*|(none)|System|general|a]b|[x|a=b|;c|\"q\"|'q'| lead|"
              "trail |a\tb|line\nbreak|\U0001F600|A & B|\u00E9|\u00C9|Vesta|Ceres|Io 7|Rock 12")
        << QString(255, u'x') << QString(256, u'y')
        << QString(254, u'z') + QString::fromUtf8("\U0001F600") << QStringLiteral("nul") + QChar(0);
    static const QStringList dates =
        split("31 Feb 2001||garbage|1/1/99|29 Feb 2000|0001-01-01|9999-12-31|12/31/9999|1/1/0|"
              "0000-01-01| 5 Mar 2020 |13/13/2013|-0500-01-01|10000-01-01|29.02.2001");
    if (boxName.contains("Name"))
        return Pick(dice, names);
    const QDate some(1 + Below(dice, 9999), 1 + Below(dice, 12), 1 + Below(dice, 28));
    const QString date = Chance(dice, 0.5) ? text::FormatShortDate(some)
                                           : text::FormatLongDate(some);
    if (boxName.contains("Date"))
        return Chance(dice, 0.4) ? Pick(dice, dates) : date;
    if (Chance(dice, 0.3))
        return Pick(dice, wildNumbers);
    const double value = (Chance(dice, 0.3) ? -1 : 1) * (1 + Below(dice, 9000) / 1000.0)
                         * std::pow(10.0, Below(dice, 34) - 3);
    // The program's own form, or the C form: no number where a comma separates decimals.
    return Chance(dice, 0.7) ? SciFormat(value) : QString::number(value, 'g', 1 + Below(dice, 17));
}

QByteArray Garbled(Dice& dice, const QByteArray& source)
{
    if (Chance(dice, 0.2))
        return source.left(Below(dice, static_cast<int>(source.size()) + 1));
    static const QList<QByteArray> odd =
        QByteArray("0|-1|32768|-32768|2147483648|99999999999|y|Y|yes|N|(none)|*|Sun|sun|General|"
                   "31/31/2000|2/30/2001|1/1/10000|\xCF\x83|\xCF\x82|1,5|1e999|1e308|-1.7e308|nan|"
                   "=|[System]|")
            .split('|');
    QList<QByteArray> lines = source.split('\n');
    for (int change = 1 + Below(dice, 6); change > 0; --change) {
        QByteArray& line = lines[Below(dice, static_cast<int>(lines.size()))];
        const QByteArray value = Chance(dice, 0.5) ? Pick(dice, odd) : TextFor(dice, line).toUtf8();
        // A name in Latin-1 rather than UTF-8, a byte-order mark in front.
        const std::vector<QByteArray> changed = {
            {}, Pick(dice, lines), line.toUpper(), line.left(line.indexOf('=') + 1) + value,
            QByteArray(line).replace('\r', "").replace("Earth", "\xC9\xE4rth"),
            "\xEF\xBB\xBF" + line};
        line = Pick(dice, changed);
    }
    return lines.join('\n');
}

}  // namespace kosmolux::monkey
