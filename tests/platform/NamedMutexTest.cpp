#include "platform/NamedMutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string RuntimeDir() {
    return std::getenv("XDG_RUNTIME_DIR");
}

// True once the kernel shows a process blocked on a lock of the file (a "->" line of
// /proc/locks with the file's inode), so the tests check real waiting without timing.
bool SomeoneWaitsFor(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return false;
    const std::string inode = ":" + std::to_string(info.st_ino) + " ";
    for (int attempt = 0; attempt < 20000; ++attempt) {
        std::ifstream locks("/proc/locks");
        for (std::string line; std::getline(locks, line);) {
            if (line.find("->") != std::string::npos && line.find(inode) != std::string::npos)
                return true;
        }
        std::this_thread::yield();
        usleep(500);
    }
    return false;
}

} // namespace

TEST(NamedMutex, IsReentrantForItsOwnerAcrossObjectsOfTheName) {
    CNamedMutex first("test-reentrant");
    CNamedMutex second("test-reentrant");
    first.Lock();
    EXPECT_TRUE(second.TryLock());
    second.Lock();
    second.Unlock();
    second.Unlock();
    bool otherThreadGot = true;
    std::thread([&] { otherThreadGot = first.TryLock(); }).join();
    EXPECT_FALSE(otherThreadGot) << "still held once";
    first.Unlock();
    std::thread([&] {
        otherThreadGot = second.TryLock();
        second.Unlock();
    }).join();
    EXPECT_TRUE(otherThreadGot);
    EXPECT_TRUE(std::ifstream(RuntimeDir() + "/test-reentrant.lock").good());
}

TEST(NamedMutex, OtherThreadsWaitUntilTheOwnerReleases) {
    CNamedMutex mutex("test-threads");
    std::atomic<int> stage{0};
    bool triedWhileHeld = true;
    int stageWhenAcquired = 0;
    mutex.Lock();
    std::thread other([&] {
        CNamedMutex own("test-threads");
        triedWhileHeld = own.TryLock();
        stage = 1;
        own.Lock();
        stageWhenAcquired = stage;
        own.Unlock();
    });
    while (stage != 1)
        std::this_thread::yield();
    stage = 2;
    mutex.Unlock();
    other.join();
    EXPECT_FALSE(triedWhileHeld);
    EXPECT_EQ(stageWhenAcquired, 2);
}

TEST(NamedMutex, AnotherProcessWaitsForTheHolder) {
    const std::string order = RuntimeDir() + "/test-process.order";
    std::remove(order.c_str());
    int ready[2], go[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(go), 0);
    // The child is forked before either side opens the mutex, so each has its own lock file
    // handle, as two programs would.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        char byte;
        if (read(go[0], &byte, 1) != 1)
            _exit(10);
        CNamedMutex mutex("test-process");
        const bool gotWhileHeld = mutex.TryLock();
        if (write(ready[1], "r", 1) != 1)
            _exit(11);
        mutex.Lock();
        std::ofstream(order, std::ios::app) << "child";
        mutex.Unlock();
        _exit(gotWhileHeld ? 12 : 0);
    }
    CNamedMutex mutex("test-process");
    mutex.Lock();
    ASSERT_EQ(write(go[1], "g", 1), 1);
    char byte;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    EXPECT_TRUE(SomeoneWaitsFor(RuntimeDir() + "/test-process.lock"));
    std::ofstream(order, std::ios::app) << "parent,";
    mutex.Unlock();
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::stringstream text;
    text << std::ifstream(order).rdbuf();
    EXPECT_EQ(text.str(), "parent,child");
    for (int fd : {ready[0], ready[1], go[0], go[1]})
        close(fd);
}
