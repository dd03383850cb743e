#pragma once

#include "storage/systemfile.h"

namespace kosmolux {

// A centre-on list for a program without a window: loading fills nothing.
class SilentCentreList : public CentreList {
public:
    void ClearCentres() override {}
    void AddCentre(const QString&, std::int32_t) override {}
    void SelectFirstCentre() override {}
};

}  // namespace kosmolux
