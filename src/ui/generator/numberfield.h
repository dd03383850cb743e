#pragma once

#include <optional>

#include <QString>

namespace kosmolux {

class DialogService;

// The number in a value box of the generator or the editor, or nothing after
// an "Invalid Number" box that names the field: "<field> is not a number",
// or "<field> is too large a number" for one beyond the range of a double.
std::optional<double> ReadNumberField(DialogService& dialogs, const QString& text, const QString& fieldName);

}  // namespace kosmolux
