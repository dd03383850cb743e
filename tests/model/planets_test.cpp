#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "model/planets.h"

namespace kosmolux {
namespace {

TEST(PlanetTest, IdsCountOnAcrossSystemsAndANewHistoryStartsAtTheOrigin)
{
    IdentityCounter ids;
    Planets first(ids);
    Planet& body = first.Add("First", 1.0, 2.0, 5.0, 6.0, 7.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(body.Id(), 0);
    EXPECT_EQ(body.GetKey(), "A0");
    EXPECT_EQ(body.Position, (Vector{5.0, 6.0, 7.0}));
    EXPECT_EQ(body.History.Count(), 1);
    EXPECT_EQ(body.LastHistory(), (Vector{0.0, 0.0, 0.0}));
    // A system loaded after another gets new identity numbers.
    Planets second(ids);
    EXPECT_EQ(second.Add("First", 1.0, 2.0, 5.0, 6.0, 7.0, 0.0, 0.0, 0.0).Id(), 1);
}

TEST(PlanetTest, HistoryKeepsTheNewest4096Positions)
{
    Planet body(0);
    for (int i = 1; i <= MaxHistory; ++i) {
        body.Position.XComp = i;
        body.AddToHistory();
    }
    EXPECT_EQ(body.History.Count(), MaxHistory);
    EXPECT_EQ(body.History.Item(1).XComp, 1.0);
    body.Position.XComp = -1.0;
    body.AddToHistory();
    EXPECT_EQ(body.History.Count(), MaxHistory);
    EXPECT_EQ(body.History.Item(1).XComp, 2.0);
    EXPECT_EQ(body.LastHistory().XComp, -1.0);

    Planet fresh(1);
    fresh.RemoveFromHistory();
    fresh.RemoveFromHistory();
    EXPECT_EQ(fresh.History.Count(), 0);
}

TEST(PlanetsTest, TotalMassIsCachedUntilTheNextAddOrRemove)
{
    IdentityCounter ids;
    Planets system(ids);
    EXPECT_EQ(system.TotalMass(), 0.1);
    system.Add("Heavy", 3.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    Planet& light = system.Add("Light", 1.0, 1.0, 4.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(system.TotalMass(), 4.0);
    EXPECT_EQ(system.CentreOfMass(), (Vector{1.0, 0.0, 0.0}));

    light.Mass = 5.0;
    EXPECT_EQ(system.TotalMass(), 4.0);
    EXPECT_EQ(system.CentreOfMass(), (Vector{5.0, 0.0, 0.0}));

    system.Add("Opposite", -8.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(system.TotalMass(), 0.1);  // masses that cancel to 0
    system.Remove(3);
    EXPECT_EQ(system.TotalMass(), 8.0);
}

// The total is kept from sums of the earlier members; it must still come out
// as a sum from the start, in insertion order, of the masses as they are.
TEST(PlanetsTest, TotalMassIsASumInInsertionOrderOfTheMassesAsTheyAre)
{
    IdentityCounter ids;
    Planets system(ids);
    for (double mass : {1e16, 1.0, -1e16})
        system.Add("Body", mass, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(system.TotalMass(), 0.1);  // the 1 is lost against 1e16
    system.Remove(2);
    EXPECT_EQ(system.TotalMass(), 0.1);  // taking the 1 off the sum would give -1

    system.Item(1).Mass = 4.0;
    system.Item(2).Mass = 1.0;
    system.Add("Body", 2.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(system.TotalMass(), 7.0);
    system.Remove(3);
    EXPECT_EQ(system.TotalMass(), 5.0);
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
    EXPECT_EQ(system.Item(2).PlanetName, "C");

    EXPECT_THROW(system.Item(0), std::out_of_range);
    EXPECT_THROW(system.Item(4), std::out_of_range);
    EXPECT_THROW(system.Remove("A1"), std::invalid_argument);
    EXPECT_THROW(system.Add("Again", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, "custom"), std::invalid_argument);
}

}  // namespace
}  // namespace kosmolux
