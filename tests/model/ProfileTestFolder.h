#pragma once

#include "TestSupport.h"
#include "model/StoredFile.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <vector>

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
        ASSERT_TRUE(WriteStoredFile(path, xml));
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
