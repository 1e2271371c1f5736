// The game tests' fixture itself: a click on a slot that holds no card face fails the test,
// naming the slot, instead of crashing the test program.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/GameTest.h"

namespace rules {
namespace {

using GameFixture = gametest::GameTest;

TEST_F(GameFixture, ClickSlotFailsTheTestNamingASlotThatHoldsNoFace) {
    for (const std::int64_t slot : {std::int64_t{10}, std::int64_t{-1}, std::int64_t{3}}) {
        ::testing::TestPartResultArray failures;
        {
            const ::testing::ScopedFakeTestPartResultReporter intercept(
                ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD,
                &failures);
            ClickSlot(slot);
        }
        if (slot == 3) {
            EXPECT_EQ(failures.size(), 0) << "a face is there to click on slot 3";
            EXPECT_TRUE(win->Seikai) << "the click reached the face: every slot holds card 0, "
                                        "and so does the prompt";
            continue;
        }
        ASSERT_EQ(failures.size(), 1) << "slot " << slot;
        const ::testing::TestPartResult& failure = failures.GetTestPartResult(0);
        EXPECT_TRUE(failure.nonfatally_failed()) << "slot " << slot;
        EXPECT_NE(std::string(failure.message()).find("slot " + std::to_string(slot)),
                  std::string::npos)
            << failure.message();
    }
}

}  // namespace
}  // namespace rules
