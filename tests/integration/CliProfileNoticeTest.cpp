// quillon-cli with a damaged profile or a pipe in its place: the command runs on a new profile,
// and standard error says once what was found and where the damaged file is kept. A profile that
// cannot be written is reported with the reason.
#include "CliRun.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class CliProfileNotice : public testing::Test {
protected:
    CliResult Run(const std::vector<std::string>& args) {
        return RunProgram(QUILLON_CLI_PATH, args,
                          {{"XDG_DATA_HOME", Data().string()},
                           {"XDG_CONFIG_HOME", (m_home.Path() / "config").string()},
                           {"QUILLON_USER", "demo"}},
                          m_home.Path());
    }
    CliResult Archive() { return Run({"archive"}); }

    fs::path Data() const { return m_home.Path() / "data"; }
    fs::path Profile() const { return Data() / "Velora/Quillon/UserData/demo.dat"; }

    static std::size_t Count(const std::string& text, const std::string& part) {
        std::size_t count = 0;
        for (std::size_t at = text.find(part); at != std::string::npos;
             at = text.find(part, at + 1))
            ++count;
        return count;
    }

    TempDir m_home;
};

TEST_F(CliProfileNotice, ADamagedProfileIsReportedOnceAndKept) {
    fs::create_directories(Profile().parent_path());
    std::ofstream(Profile(), std::ios::binary) << "not a profile at all...";

    for (int run = 0; run < 2; ++run) {
        const CliResult result = Archive();
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(Count(result.err, Profile().string() + " is damaged"), 1u) << result.err;
        EXPECT_EQ(Count(result.err, " kept as " + Profile().string() + ".damaged-"), 1u)
            << result.err;
    }
    std::size_t copies = 0;
    for (const auto& entry : fs::directory_iterator(Profile().parent_path()))
        copies += entry.path().filename().string().starts_with("demo.dat.damaged-");
    EXPECT_EQ(copies, 1u) << "the same damage is kept once";
}

TEST_F(CliProfileNotice, APipeInThePlaceOfTheProfileDoesNotHoldTheCommand) {
    fs::create_directories(Profile().parent_path());
    ASSERT_EQ(mkfifo(Profile().c_str(), 0600), 0);
    auto run = std::async(std::launch::async, [this] { return Archive(); });
    if (run.wait_for(std::chrono::seconds(60)) == std::future_status::timeout) {
        ADD_FAILURE() << "the command waits for a writer of the pipe";
        close(open(Profile().c_str(), O_WRONLY | O_NONBLOCK));
    }
    const CliResult result = run.get();
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Count(result.err, Profile().string() + " is not a regular file"), 1u) << result.err;
    EXPECT_TRUE(fs::is_fifo(Profile()));
}

// A file where the profile folder should be: the folder cannot be made, whoever runs the program.
TEST_F(CliProfileNotice, AProfileThatCannotBeWrittenIsReportedWithTheReason) {
    const fs::path folder = Profile().parent_path();
    fs::create_directories(folder.parent_path());
    std::ofstream(folder) << "in the way";

    const CliResult result = Run({"contacts", "add", "Jan", "0903123456"});
    EXPECT_EQ(result.exitCode, 4) << result.err;
    EXPECT_NE(result.err.find("the profile of demo cannot be written: the folder " +
                              folder.string() +
                              "/ is missing and could not be created (Not a "
                              "directory)"),
              std::string::npos)
        << result.err;
    EXPECT_TRUE(fs::is_regular_file(folder));
}

} // namespace
