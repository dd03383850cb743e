#pragma once

#include <random>

#include <QByteArray>
#include <QString>

namespace kosmolux::monkey {

// Every random choice of the monkey comes from one engine, so that a seed repeats a run.
using Dice = std::mt19937;
inline int Below(Dice& dice, int n) { return std::uniform_int_distribution(0, n - 1)(dice); }
inline bool Chance(Dice& dice, double odds) { return std::bernoulli_distribution(odds)(dice); }
template <typename List>
const auto& Pick(Dice& dice, const List& list) { return list[Below(dice, int(list.size()))]; }

// What a careless user types into a box, by what its name says it holds: a name, a date,
// else a number; the ordinary, and now and then the odd.
QString TextFor(Dice& dice, const QString& boxName);

// A system file cut short, or with lines lost, repeated, changed or in other encodings.
QByteArray Garbled(Dice& dice, const QByteArray& source);

}  // namespace kosmolux::monkey
