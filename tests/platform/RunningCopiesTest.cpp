#include "platform/RunningCopies.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

class RunningCopiesTest : public ::testing::Test {
protected:
    std::string Folder() const { return m_dir.Path().string() + "/"; }

    TempDir m_dir;
};

TEST_F(RunningCopiesTest, CopiesInOneProcessCountEachOtherUntilTheyEnd) {
    RunningCopies first("quillon", Folder());
    EXPECT_TRUE(first.HoldsSlot());
    EXPECT_EQ(first.Others(), 0);
    {
        RunningCopies second("quillon", Folder());
        RunningCopies third("quillon", Folder());
        EXPECT_EQ(first.Others(), 2);
        EXPECT_EQ(second.Others(), 2);
        EXPECT_EQ(third.Others(), 2);
    }
    EXPECT_EQ(first.Others(), 0);
    // A slot set free is taken again by the next copy.
    RunningCopies again("quillon", Folder());
    EXPECT_EQ(first.Others(), 1);
    EXPECT_EQ(again.Others(), 1);
}

TEST_F(RunningCopiesTest, ProgramsOfOtherKindsAreNotCounted) {
    RunningCopies program("quillon", Folder());
    RunningCopies other("toolbar", Folder());
    EXPECT_EQ(program.Others(), 0);
    EXPECT_EQ(other.Others(), 0);
}

TEST_F(RunningCopiesTest, ACopyThatWasKilledIsNoLongerCounted) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Takes a slot, says so, and waits to be killed: no destructor ever runs.
        RunningCopies copy("quillon", Folder());
        const char held = copy.HoldsSlot() ? 'y' : 'n';
        (void)!write(ready[1], &held, 1);
        for (;;)
            pause();
    }
    close(ready[1]);
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    close(ready[0]);
    EXPECT_EQ(held, 'y');

    RunningCopies mine("quillon", Folder());
    EXPECT_EQ(mine.Others(), 1);
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(mine.Others(), 0);
}

TEST_F(RunningCopiesTest, WhenEverySlotIsTakenTheNextCopyCountsThemAll) {
    std::vector<std::unique_ptr<RunningCopies>> copies;
    for (int i = 0; i < RunningCopies::kSlots; ++i)
        copies.push_back(std::make_unique<RunningCopies>("quillon", Folder()));
    RunningCopies extra("quillon", Folder());
    EXPECT_FALSE(extra.HoldsSlot());
    EXPECT_EQ(extra.Others(), RunningCopies::kSlots);
    EXPECT_EQ(copies.front()->Others(), RunningCopies::kSlots - 1);
}

TEST_F(RunningCopiesTest, WithoutAFolderNothingIsHeldOrCounted) {
    RunningCopies copy("quillon", "");
    EXPECT_FALSE(copy.HoldsSlot());
    EXPECT_EQ(copy.Others(), 0);
}

TEST(RunningCopies, TheDefaultFolderIsTheOneOfTheNamedMutexes) {
    RunningCopies first("quillon");
    RunningCopies second("quillon");
    EXPECT_TRUE(first.HoldsSlot());
    EXPECT_EQ(first.Others(), 1);
    EXPECT_TRUE(std::filesystem::exists(std::string(std::getenv("XDG_RUNTIME_DIR")) +
                                        "/quillon-copy-0.lock"));
}

} // namespace
