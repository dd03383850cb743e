#include "ui/generator/numberfield.h"

#include "platform/dialogservice.h"
#include "platform/programerror.h"
#include "platform/textformats.h"

namespace kosmolux {

std::optional<double> ReadNumberField(DialogService& dialogs, const QString& text, const QString& fieldName)
{
    QString problem;
    if (!text::IsNumeric(text)) {
        problem = fieldName + QStringLiteral(" is not a number");
    } else {
        try {
            return text::ToDouble(text);
        } catch (const ProgramError&) {
            problem = fieldName + QStringLiteral(" is too large a number");
        }
    }
    dialogs.MessageBox(problem, QStringLiteral("Invalid Number"), DialogService::Icon::Exclamation,
                       DialogService::Buttons::Ok);
    return std::nullopt;
}

}  // namespace kosmolux
