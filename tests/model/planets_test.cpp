#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "model/planets.h"

namespace kosmolux {
namespace {

// A full history losing its oldest entry is seen through drift removal.
TEST(PlanetTest, HistoryStartsAtTheOriginAndRemovingFromAnEmptyOneDoesNothing)
{
    Planet body(0);
    EXPECT_EQ(body.History.Count(), 1);
    EXPECT_EQ(body.LastHistory(), Vector{});
    body.RemoveFromHistory();
    body.RemoveFromHistory();
    EXPECT_EQ(body.History.Count(), 0);
}

// The total is kept from sums of the earlier members; it must still come out
// as a sum from the start, in insertion order, of the masses as they are at
// the last Add or Remove.
TEST(PlanetsTest, TotalMassIsASumInInsertionOrderAsOfTheLastAddOrRemove)
{
    IdentityCounter ids;
    Planets system(ids);
    EXPECT_EQ(system.TotalMass(), 0.1);
    for (double mass : {1e16, 1.0, -1e16})
        system.Add("Body", mass, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(system.TotalMass(), 0.1);  // the 1 is lost against 1e16
    system.Remove(2);
    EXPECT_EQ(system.TotalMass(), 0.1);  // taking the 1 off the sum would give -1

    system.Item(1).Mass = 4.0;
    system.Item(2).Mass = 1.0;
    EXPECT_EQ(system.TotalMass(), 0.1);
    system.Add("Body", 3.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(system.TotalMass(), 8.0);
    system.Item(2).Mass = 5.0;
    system.Item(2).Position.XComp = 4.0;
    EXPECT_EQ(system.CentreOfMass(), (Vector{20.0 / 8.0, 0.0, 0.0}));  // by the total as of the Add
    system.Remove(3);
    EXPECT_EQ(system.TotalMass(), 9.0);
    system.Item(1).Mass = 10.0;
    system.Remove(2);
    EXPECT_EQ(system.TotalMass(), 10.0);
}

TEST(PlanetsTest, BodiesKeepInsertionOrderAndAreFoundByKey)
{
    IdentityCounter ids;
    Planets system(ids);
    for (const char* name : {"A", "B", "C"})
        system.Add(name, 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.Add("Named", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, "custom");
    // A system loaded after another goes on with the identity numbers.
    Planets second(ids);
    EXPECT_EQ(second.Add("First", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0).GetKey(), "A4");
    EXPECT_EQ(system.Item("A1").PlanetName, "B");
    EXPECT_EQ(system.Item("custom").PlanetName, "Named");
    EXPECT_EQ(system.FindById(2)->PlanetName, "C");

    auto kept = system.Share("A1");
    system.Remove("A1");
    EXPECT_EQ(kept->PlanetName, "B");  // a holder keeps a removed body alive
    EXPECT_EQ(system.Find("A1"), nullptr);
    std::string order;
    for (const Planet& body : system)
        order += body.PlanetName + ",";
    EXPECT_EQ(order, "A,C,Named,");

    EXPECT_THROW(system.Item(0), std::out_of_range);
    EXPECT_THROW(system.Item(4), std::out_of_range);
    EXPECT_THROW(system.Remove("A1"), std::invalid_argument);
    EXPECT_THROW(system.Add("Again", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, "custom"), std::invalid_argument);
}

}  // namespace
}  // namespace kosmolux
