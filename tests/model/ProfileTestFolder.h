#pragma once

#include "TestSupport.h"
#include "model/StoredFile.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

// Frees whatever waits for a writer of a pipe once the test has taken a minute, and fails the
// test: a read that waits for a writer would hang it for ever.
class PipeWatchdog {
public:
    explicit PipeWatchdog(std::string path)
        : m_path(std::move(path)), m_thread([this] { Watch(); }) {}
    ~PipeWatchdog() {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_changed.notify_all();
        m_thread.join();
        if (m_freed)
            ADD_FAILURE() << "a reader waited for a writer of " << m_path;
    }
    PipeWatchdog(const PipeWatchdog&) = delete;
    PipeWatchdog& operator=(const PipeWatchdog&) = delete;

private:
    void Watch() {
        std::unique_lock lock(m_mutex);
        if (m_changed.wait_for(lock, std::chrono::minutes(1), [this] { return m_done; }))
            return;
        m_freed = true;
        while (!m_changed.wait_for(lock, std::chrono::milliseconds(100), [this] { return m_done; }))
            close(open(m_path.c_str(), O_WRONLY | O_NONBLOCK));
    }

    std::string m_path;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_done = false;
    bool m_freed = false;
    std::thread m_thread;
};

// Each test of the stored files gets a local data folder of its own, so that the profile and
// settings files of one test never meet another's.
class ProfileFolderTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("QUILLON_ANSI_CODEPAGE", "1250", 1); }

    static std::string ProfilePath(const std::string& name, bool legacy = false) {
        return GetConfigDir(true, legacy) + "UserData/" + name + ".dat";
    }

    static std::string ConfigPath(bool legacy = false) {
        return GetConfigDir(true, legacy) + "config.dat";
    }

    // Stores an XML text in the container at the path.
    static void WriteContainer(const std::string& path, const std::string& xml) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        ASSERT_FALSE(WriteStoredFile(path, xml).Failed());
    }

    static void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    static std::vector<unsigned char> ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The XML text a stored file holds; empty when it is no valid container.
    static std::string ReadContainer(const std::string& path, std::uint32_t maxRatio = 200) {
        std::vector<unsigned char> text;
        if (!ReadStoredFile(path, path, maxRatio, text))
            return {};
        return std::string(text.begin(), text.end());
    }

    // Runs the function with files limited to 4 KiB, so that a larger write fails half-way as on
    // a full disk.
    template <typename Function> static void WithSmallFileLimit(Function function) {
        rlimit previous{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
        rlimit small = previous;
        small.rlim_cur = 4096;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        function();
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, oldHandler);
    }

private:
    ScopedDataHome m_data;
};
