#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "engine/runloop.h"
#include "model/planets.h"
#include "enginetesting.h"

namespace {
std::atomic<long> allocations{0};
}

// Counts every allocation of this test program; the other forms of operator
// new end up here too.
void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

// Memory from the counting new goes back to malloc's free, as a matching pair.
void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace kosmolux {
namespace {

TEST(AllocationTest, StepsOfARunningSystemAllocateNothing)
{
    IdentityCounter ids;
    Planets system(ids);
    for (int i = 0; i < 300; ++i)
        system.Add("Body", 1.0e20 + i, 1.0, 1.0e9 * (i % 17), 1.0e9 * (i % 13), 1.0e9 * i,
                   0.0, 0.0, 0.0);
    system.Item(5).Locked = true;
    system.Item(9).Lightweight = true;
    RecordingObserver observer;
    RunLoop loop(system, observer);
    loop.Begin();
    ASSERT_TRUE(loop.Step(128, 604800));

    const long before = allocations.load();
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(loop.Step(128, 604800));
    EXPECT_EQ(allocations.load() - before, 0);
}

}  // namespace
}  // namespace kosmolux
