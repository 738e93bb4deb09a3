// Work on several processors: every share taken once, whatever the processors and however late a
// helper is; a pass started from within a share; the calling thread's own part beside helpers.
#include "Processors.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

// The processors the tests say, and the machine's again afterwards.
struct Processors {
    explicit Processors(int processors) { useProcessors({processors}); }
    ~Processors() { useProcessors({static_cast<int>(std::thread::hardware_concurrency())}); }
};

TEST(processors, every_share_and_every_item_is_taken_once) {
    for (const int processors : {1, 2, 3, 8}) {
        const Processors use(processors);
        for (const int shares : {0, 1, 2, 5, 100}) {
            std::vector<std::atomic<int>> taken(static_cast<std::size_t>(shares));
            runShares(shares, [&](int s) {
                if (s % 7 == 1) std::this_thread::sleep_for(std::chrono::microseconds(300));
                ++taken[static_cast<std::size_t>(s)];
            });
            for (int s = 0; s < shares; ++s)
                ASSERT_EQ(taken[static_cast<std::size_t>(s)], 1) << s << " of " << shares;
        }
        for (const int count : {0, 1, 65535, 65536, 65537, 3 * 65536 + 3}) {
            std::vector<std::atomic<int>> taken(static_cast<std::size_t>(count));
            forRanges(count, [&](int from, int to) {
                ASSERT_LE(from, to);
                for (int i = from; i < to; ++i) ++taken[static_cast<std::size_t>(i)];
            });
            for (int i = 0; i < count; ++i)
                ASSERT_EQ(taken[static_cast<std::size_t>(i)], 1) << i << " of " << count;
        }
    }
}

TEST(processors, a_pass_from_within_a_share_runs_on_its_thread) {
    const Processors use(4);
    std::atomic<int> inner{0};
    runShares(6, [&](int /*s*/) {
        const std::thread::id mine = std::this_thread::get_id();
        runShares(5, [&](int /*t*/) {
            EXPECT_EQ(std::this_thread::get_id(), mine);
            ++inner;
        });
    });
    EXPECT_EQ(inner, 30);
}

TEST(processors, the_calling_thread_does_its_own_part_beside_the_helpers) {
    for (const int processors : {1, 2, 4}) {
        const Processors use(processors);
        const std::thread::id caller = std::this_thread::get_id();
        std::atomic<bool> done{false};
        std::atomic<int> helping{0};
        runBeside(
            processors - 1,
            [&] {
                EXPECT_NE(std::this_thread::get_id(), caller);
                ++helping;
                while (!done.load()) std::this_thread::yield();
            },
            [&] {
                EXPECT_EQ(std::this_thread::get_id(), caller);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                done.store(true);
            });
        EXPECT_LE(helping, processors - 1);
        // A pass right after finds the helpers waiting again.
        std::atomic<int> shares{0};
        runShares(9, [&](int /*s*/) { ++shares; });
        EXPECT_EQ(shares, 9);
    }
}

TEST(processors, shares_are_cut_as_the_work_allows) {
    const Processors use(4);
    EXPECT_EQ(sharesFor(0, 100), 1);
    EXPECT_EQ(sharesFor(250, 100), 2);
    EXPECT_EQ(sharesFor(1000000, 100), 4);
    for (const int count : {0, 7, 1000003})
        for (const int shares : {1, 3, 4}) EXPECT_EQ(shareBegin(count, shares, shares), count);
    EXPECT_EQ(shareBegin(10, 1, 3), 3);
    EXPECT_EQ(shareBegin(2000000000, 2, 3), 1333333333);
}

}  // namespace
