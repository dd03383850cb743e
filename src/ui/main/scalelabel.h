#pragma once

#include <QString>

namespace kosmolux {

// The text of the scale label for a view width in metres: "View width = 1,000
// million km" from 1e9 metres up, "View width = 500 thousand km" below.
QString ScaleLabelText(double viewWidth);

}  // namespace kosmolux
