#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include <QString>

#include "storage/systemfile.h"

namespace kosmolux {

// A centre list that keeps its entries and counts the selections of entry 0.
class RecordingCentreList : public CentreList {
public:
    void ClearCentres() override { Entries.clear(); }
    void AddCentre(const QString& name, std::int32_t itemData) override { Entries.emplace_back(name, itemData); }
    void SelectFirstCentre() override { ++FirstSelections; }

    std::vector<std::pair<QString, std::int32_t>> Entries;
    int FirstSelections = 0;
};

}  // namespace kosmolux
