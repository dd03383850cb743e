#pragma once

#include <cstdint>

#include <QString>

#include "model/planets.h"
#include "storage/globals.h"

class QComboBox;
class QMenu;

namespace kosmolux::monkey {

// Checks of the program's state after an action. Each returns what is
// wrong, in words for the failure report, or an empty text.

// A mass, diameter, position or velocity (and, with history, a recorded
// position) that is not finite.
QString NonFiniteProblem(const Planets* system, bool withHistory);

// The file must load without a message and give back the system's bodies in
// order: their names, their values as the file's number form writes them,
// colours, flags and parents, and the start date. Bodies whose names fold to
// the same text share one section of the file and all load with the values
// of the last of them.
QString RoundTripProblem(const Globals& globals, const QString& path);

// The centre list starts with "Grid Origin" and lists the same bodies as the
// Reports > Bodies submenu; with no bodies the submenu holds one disabled item.
QString ListsAgreeProblem(const QComboBox& centres, const QMenu& bodies);

// After a refresh: the lists name every body of the system in order, and the
// grid origin is the centre.
QString ListsMatchSystemProblem(const QComboBox& centres, const QMenu& bodies,
                                const Planets* system);

// The body's name would share a section of the system file with another body's.
QString SharedSectionProblem(const Planets& system, std::int32_t id);

}  // namespace kosmolux::monkey
