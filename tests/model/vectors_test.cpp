#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "model/vectors.h"

namespace kosmolux {
namespace {

// Entries live in a ring: removing the oldest and adding new ones wraps round
// its end, and they must still come out from the oldest to the newest.
TEST(VectorsTest, PositionsAreOneBasedAndOrderHoldsThroughTheRing)
{
    Vectors list;
    Vector& added = list.Add(1.0, 0.0, 0.0);
    added.YComp = 10.0;
    EXPECT_EQ(list.Item(1), (Vector{1.0, 10.0, 0.0}));
    list.Item(1).ZComp = 20.0;
    EXPECT_EQ(added.ZComp, 20.0);

    // Four slots full; the fifth entry goes round the end, the sixth makes it grow.
    for (double x : {2.0, 3.0, 4.0})
        list.Add(x, 0.0, 0.0);
    list.Remove(1);
    for (double x : {5.0, 6.0})
        list.Add(x, 0.0, 0.0);
    list.Remove(3);
    std::vector<double> order;
    for (const Vector& entry : list)
        order.push_back(entry.XComp);
    EXPECT_EQ(order, (std::vector<double>{2.0, 3.0, 5.0, 6.0}));
    EXPECT_EQ(list.Item(4).XComp, 6.0);
    EXPECT_THROW(list.Item(0), std::out_of_range);
    EXPECT_THROW(list.Item(5), std::out_of_range);
    EXPECT_THROW(list.Remove(5), std::out_of_range);
}

}  // namespace
}  // namespace kosmolux
