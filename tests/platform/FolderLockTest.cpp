#include "platform/FolderLock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

// A second process finds the folder taken while the first lives, and free once it was killed.
TEST(FolderLock, OneProcessHoldsTheFolderAndTheLockGoesWithIt) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t first = fork();
    ASSERT_GE(first, 0);
    if (first == 0) {
        const char taken = TakeFolderLock() == FolderLockResult::kTaken ? 'y' : 'n';
        (void)!write(ready[1], &taken, 1);
        for (;;) pause();
    }
    char taken = 0;
    ASSERT_EQ(read(ready[0], &taken, 1), 1);
    EXPECT_EQ(taken, 'y');
    EXPECT_EQ(TakeFolderLock(), FolderLockResult::kHeldByOther);
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    EXPECT_EQ(TakeFolderLock(), FolderLockResult::kTaken);
    close(ready[0]);
    close(ready[1]);
}
