#include <stdexcept>

#include <gtest/gtest.h>

#include "model/planets.h"

namespace kosmolux {
namespace {

TEST(PlanetTest, ConstructionTakesTheNextIdAndStartsAHistory)
{
    IdentityCounter ids;
    Planets system(ids);
    Planet& first = system.Add("First", 1.0, 2.0, 5.0, 6.0, 7.0, 0.0, 0.0, 0.0);
    Planet& second = system.Add("Second", 1.0, 2.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(first.Id(), 0);
    EXPECT_EQ(first.GetKey(), "A0");
    EXPECT_EQ(second.Id(), 1);
    EXPECT_EQ(ids.Next(), 2);
    EXPECT_EQ(first.HiColor, 16777215);
    EXPECT_EQ(first.LoColor, 12632256);
    EXPECT_FALSE(first.Locked);
    EXPECT_FALSE(first.Lightweight);
    EXPECT_EQ(first.Parent, 0);
    EXPECT_EQ(first.History.Count(), 1);
    EXPECT_EQ(first.LastHistory(), (Vector{0.0, 0.0, 0.0}));
    EXPECT_EQ(first.Position, (Vector{5.0, 6.0, 7.0}));
}

TEST(PlanetTest, HistoryKeepsTheNewest4096Positions)
{
    IdentityCounter ids;
    Planets system(ids);
    Planet& body = system.Add("Body", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
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

    // A recorded entry is a copy: moving the body later leaves it alone.
    body.Position.XComp = 99.0;
    EXPECT_EQ(body.LastHistory().XComp, -1.0);

    Planet& fresh = system.Add("Fresh", 1.0, 1.0, 3.0, 3.0, 3.0, 0.0, 0.0, 0.0);
    fresh.RemoveFromHistory();
    EXPECT_EQ(fresh.History.Count(), 0);
    fresh.RemoveFromHistory();
    EXPECT_EQ(fresh.History.Count(), 0);
}

TEST(PlanetsTest, TotalMassIsCachedUntilTheNextAddOrRemove)
{
    IdentityCounter ids;
    Planets system(ids);
    EXPECT_EQ(system.TotalMass(), 0.1);
    EXPECT_EQ(system.CentreOfMass(), (Vector{0.0, 0.0, 0.0}));

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
    system.Remove(2);
    system.Remove(1);
    EXPECT_EQ(system.Count(), 0);
    EXPECT_EQ(system.TotalMass(), 0.1);
}

TEST(PlanetsTest, BodiesKeepInsertionOrderAndAreFoundByKey)
{
    IdentityCounter ids;
    Planets system(ids);
    system.Add("A", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.Add("B", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.Add("C", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.Add("Named", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, "custom");

    EXPECT_EQ(system.Item("A1").PlanetName, "B");
    EXPECT_EQ(system.Item("custom").PlanetName, "Named");
    EXPECT_EQ(system.Find("A3"), nullptr);
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
    EXPECT_THROW(system.Item("A1"), std::invalid_argument);
    EXPECT_THROW(system.Remove("nothing"), std::invalid_argument);
    EXPECT_THROW(system.Add("Again", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, "custom"),
                 std::invalid_argument);

    // A system loaded twice gets new identity numbers.
    IdentityCounter sharedIds;
    Planets first(sharedIds);
    Planets second(sharedIds);
    EXPECT_NE(first.Add("X", 1, 1, 0, 0, 0, 0, 0, 0).Id(), second.Add("X", 1, 1, 0, 0, 0, 0, 0, 0).Id());
}

}  // namespace
}  // namespace kosmolux
