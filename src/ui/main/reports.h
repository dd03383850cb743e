#pragma once

#include <string>

#include <QString>

#include "engine/conservation.h"

namespace kosmolux {

class Planets;

// Twice the gravitational constant of the gravity step: a body escapes the
// system when its speed exceeds sqrt(M * EscapeConstant / r).
inline constexpr double EscapeConstant = 1.334518e-10;

// The texts the main window writes into txtInfo. Lines end in "\n": the text
// box shows a carriage return and line feed as two line breaks.

// The whole text when there is no system object.
QString NoSystemText();
// "System '<SystemName>' contains these bodies: "
QString SystemNameHeader(const Planets& system);
// "System <file name of filePath> contains these bodies: "
QString FileNameHeader(const QString& filePath);
// The header, two line ends, then "* " + name and a line end for every body
// in system order; only the header and the two line ends without a system.
QString SystemSummary(const QString& header, const Planets* system);

// The report on the body under key: its speed, its distance from its parent
// (or from the grid origin) and from the centre of mass, and whether it is
// gravitationally bound to the system; no line end after the last line.
// dayCaption is the day label as shown ("Day: 365"). Speeds and distances are
// taken in the fixed grid frame, and the total mass includes the body's own.
//
// Below these lines, after a blank line, the body's osculating orbit about its
// parent (or the centre of mass): semi-major axis, eccentricity, inclination
// to the X-Y plane and period, or "Not in a closed orbit".
//
// A body sitting at the centre of mass has no finite escape speed: it counts
// as bound. A parent no longer in the system reads as no parent, as it is
// saved. A body no longer in the system (absorbed or deleted since the menu
// was built) gets the heading under menuCaption and a line saying it is gone.
QString BodyReport(const Planets* system, const std::string& key, const QString& menuCaption,
                   const QString& dayCaption);

// Reports > Conservation: the energies, the momentum and the angular momentum
// of the system now, and the relative changes of the total energy and of the
// angular momentum since start (the system as the run began). Large figures
// are whole numbers with thousands grouped; the changes are written with
// three significant digits, an exact 0 as "0".
QString ConservationReport(const Conserved& now, const Conserved& start, const QString& dayCaption);

}  // namespace kosmolux
