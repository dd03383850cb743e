#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "model/vector.h"
#include "model/vectors.h"

namespace kosmolux {
namespace {

TEST(VectorTest, ArithmeticChangesTheReceiverInPlace)
{
    EXPECT_EQ((Vector{3.0, 4.0, 12.0}.Magnitude()), 13.0);
    Vector a{1.0, 2.0, 3.0};
    EXPECT_EQ(a.DistanceFrom(Vector{4.0, 6.0, 15.0}), 13.0);
    a.Add(Vector{0.5, 0.25, -3.0});
    EXPECT_EQ(a, (Vector{1.5, 2.25, 0.0}));
    a.Subtract(a);
    EXPECT_EQ(a, (Vector{0.0, 0.0, 0.0}));
}

TEST(VectorsTest, PositionsAreOneBasedAndEntriesAreStoredObjects)
{
    Vectors list;
    Vector& added = list.Add(1.0, 2.0, 3.0);
    added.XComp = 10.0;
    EXPECT_EQ(list.Item(1), (Vector{10.0, 2.0, 3.0}));
    list.Item(1).YComp = 20.0;
    EXPECT_EQ(added.YComp, 20.0);

    list.Add(4.0, 5.0, 6.0);
    list.Add(7.0, 8.0, 9.0);
    list.Remove(1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(1), (Vector{4.0, 5.0, 6.0}));
    list.Add(1.0, 1.0, 1.0);
    list.Remove(2);
    EXPECT_EQ(list.Item(2), (Vector{1.0, 1.0, 1.0}));
    EXPECT_THROW(list.Item(0), std::out_of_range);
    EXPECT_THROW(list.Item(3), std::out_of_range);
    EXPECT_THROW(list.Remove(3), std::out_of_range);
}

TEST(VectorsTest, EntriesKeepTheirOrderWhenTheOldestGoesAndNewOnesCome)
{
    Vectors list;
    for (double x : {1.0, 2.0, 3.0, 4.0})
        list.Add(x, 0.0, 0.0);
    list.Remove(1);
    list.Add(5.0, 0.0, 0.0);
    std::vector<double> order;
    for (const Vector& entry : list)
        order.push_back(entry.XComp);
    EXPECT_EQ(order, (std::vector<double>{2.0, 3.0, 4.0, 5.0}));
    list.Remove(3);
    EXPECT_EQ(list.Item(3).XComp, 5.0);
}

}  // namespace
}  // namespace kosmolux
