#include "ui/main/scalelabel.h"

#include "platform/textformats.h"

namespace kosmolux {

QString ScaleLabelText(double viewWidth)
{
    const double millionKm = viewWidth / 1e9;
    if (millionKm < 1.0)
        return QStringLiteral("View width = ") + text::FormatGrouped(millionKm * 1000.0)
               + QStringLiteral(" thousand km");
    return QStringLiteral("View width = ") + text::FormatGrouped(millionKm)
           + QStringLiteral(" million km");
}

}  // namespace kosmolux
