#include "scene/HelperThreads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>
#include <thread>

namespace {

// Work items claimed one at a time, as the picture batch hands them out.
struct Claims {
    static constexpr int kItems = 200;
    std::atomic<int> next{0};
    std::atomic<int> taken[kItems] = {};
    std::mutex lock;
    std::set<std::thread::id> workers;

    static bool work(void* context)
    {
        Claims& claims = *static_cast<Claims*>(context);
        const int item = claims.next++;
        if (item >= kItems)
            return false;
        ++claims.taken[item];
        std::lock_guard<std::mutex> hold(claims.lock);
        claims.workers.insert(std::this_thread::get_id());
        return true;
    }
};

TEST(HelperThreads, HelpersOnTheFurtherCoresShareTheWorkUntilItIsDoneAndStartAgainAfterwards)
{
    const unsigned cores = std::thread::hardware_concurrency();
    const std::size_t mostHelpers = cores > 1 ? std::min(cores - 1, 7u) : 0;
    HelperThreads helpers;
    for (int round = 0; round < 2; ++round) {
        Claims claims;
        helpers.start(Claims::work, &claims);
        // The caller works along, as the scene does while it uploads.
        while (Claims::work(&claims)) {}
        helpers.join();
        for (const std::atomic<int>& taken : claims.taken)
            EXPECT_EQ(taken.load(), 1);
        EXPECT_LE(claims.workers.size(), mostHelpers + 1);
    }
    helpers.join();  // joining with none running returns at once
}

}  // namespace
