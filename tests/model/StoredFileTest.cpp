#include "ProfileTestFolder.h"
#include "model/UtilitiesInternal.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

using StoredFileTest = ProfileFolderTest;
using Reason = SaveError::Reason;

std::string Message(int error) {
    return std::generic_category().message(error);
}

std::string Unpacked(std::vector<unsigned char> bytes, std::uint32_t maxRatio = 200) {
    std::vector<unsigned char> text;
    if (!UnpackStoredText(bytes, maxRatio, text))
        return "<rejected>";
    return std::string(text.begin(), text.end());
}

// The container with its length field replaced.
std::vector<unsigned char> WithLength(std::vector<unsigned char> bytes, std::uint32_t length) {
    DecipherBuffer(bytes.data(), bytes.size());
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(length >> (8 * i));
    EncipherBuffer(bytes.data(), bytes.size());
    return bytes;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST_F(StoredFileTest, TextsComeBackFromWholeBlocksWithTheirLengthInFront) {
    std::string large;
    for (int i = 0; i < 20000; ++i)
        large += "<Item n=\"" + std::to_string(i * 7919 % 1000) + "\"/>";
    for (const std::string& text : {std::string(), std::string("x"), large}) {
        std::vector<unsigned char> bytes = PackStoredText(text);
        EXPECT_EQ(bytes.size() % 8, 0u);
        EXPECT_EQ(Unpacked(bytes), text);
        DecipherBuffer(bytes.data(), 8);
        EXPECT_EQ(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24,
                  static_cast<int>(text.size()));
    }
}

TEST_F(StoredFileTest, ATextThatCompressesBeyondTheRatioIsPaddedToBeReadBack) {
    const std::string repetitive(100000, 'a');
    EXPECT_EQ(Unpacked(PackStoredText(repetitive)), "<rejected>");
    for (const std::uint32_t maxRatio : {20u, 200u}) {
        const std::vector<unsigned char> bytes = PackStoredText(repetitive, maxRatio);
        EXPECT_EQ(bytes.size() % 8, 0u);
        EXPECT_EQ(Unpacked(bytes, maxRatio), repetitive);
    }
    EXPECT_EQ(PackStoredText("<KvSmsDa/>", 200), PackStoredText("<KvSmsDa/>"));
}

TEST_F(StoredFileTest, DamagedContainersAreRejected) {
    const std::vector<unsigned char> good = PackStoredText("<KvSmsDa/>");
    const auto size = static_cast<std::uint32_t>(good.size());
    EXPECT_EQ(Unpacked(WithLength(good, 200 * size - 1)), "<KvSmsDa/>");
    EXPECT_EQ(Unpacked(WithLength(good, 200 * size)), "<rejected>");
    EXPECT_EQ(Unpacked(WithLength(good, 20 * size), 20), "<rejected>");
    EXPECT_EQ(Unpacked(WithLength(good, 0xFFFFFFFF)), "<rejected>");
    EXPECT_EQ(Unpacked(WithLength(good, 3)), "<rejected>"); // the text is longer

    EXPECT_EQ(Unpacked({}), "<rejected>");
    std::vector<unsigned char> longer = good;
    longer.insert(longer.end(), 4, 0);
    EXPECT_EQ(Unpacked(longer), "<rejected>");
    EXPECT_EQ(Unpacked(std::vector<unsigned char>(good.size(), 0x5A)), "<rejected>");

    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += std::to_string(i * 2654435761u);
    std::vector<unsigned char> truncated = PackStoredText(text);
    truncated.resize(truncated.size() - 16);
    EXPECT_EQ(Unpacked(truncated), "<rejected>");
}

TEST_F(StoredFileTest, TheFallbackIsReadOnlyWhenTheFileIsMissing) {
    const std::string current = ConfigPath(false);
    const std::string legacy = ConfigPath(true);
    WriteContainer(legacy, "legacy");
    std::vector<unsigned char> text;
    ASSERT_TRUE(ReadStoredFile(current, legacy, 200, text));
    EXPECT_EQ(std::string(text.begin(), text.end()), "legacy");

    WriteBytes(current, {1, 2, 3});
    EXPECT_FALSE(ReadStoredFile(current, legacy, 200, text));

    // A huge file is not read into memory at all.
    std::filesystem::resize_file(current, std::uintmax_t{257} << 20);
    EXPECT_FALSE(ReadStoredFile(current, legacy, 200, text));
}

TEST_F(StoredFileTest, WritesArePrivateAndLeaveNoTemporaryFiles) {
    const std::string path = ConfigPath();
    WriteContainer(path, "one");
    WriteContainer(path, "two");
    EXPECT_EQ(ReadContainer(path), "two");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(stat(GetConfigDir(false, false).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(FolderEntries(GetConfigDir(false, false)), std::vector<std::string>{"config.dat"});
}

TEST_F(StoredFileTest, AFailedWriteLeavesTheOldFileWhole) {
    const std::string path = ConfigPath();
    WriteContainer(path, "old");
    std::string large;
    for (int i = 0; i < 100000; ++i)
        large += std::to_string(i * 2654435761u);

    SaveError error;
    WithSmallFileLimit([&] { error = WriteStoredFile(path, large); });

    EXPECT_EQ(error, (SaveError{Reason::IoError, path, Message(EFBIG)}));
    EXPECT_EQ(ReadContainer(path), "old");
    EXPECT_EQ(FolderEntries(GetConfigDir(false, false)), std::vector<std::string>{"config.dat"});
    const std::string missing = GetConfigDir(false, false) + "missing/";
    EXPECT_EQ(WriteStoredFile(missing + "config.dat", "x"),
              (SaveError{Reason::NoFolder, missing, Message(ENOENT)}));
}

// A folder on the way that is a file cannot be made: whoever runs the write, root too.
TEST_F(StoredFileTest, AFolderThatIsAFileIsNoFolder) {
    const std::string folder = GetConfigDir(true, false) + "UserData";
    WriteBytes(folder, {1});
    const std::string path = folder + "/alice.dat";
    EXPECT_EQ(WriteStoredFile(path, "x"),
              (SaveError{Reason::NoFolder, folder + "/", Message(ENOTDIR)}));
    EXPECT_EQ(ReplaceStoredBytes(path, {1, 2}, path),
              (SaveError{Reason::NoFolder, folder + "/", Message(ENOTDIR)}));
}

TEST_F(StoredFileTest, ARenameOntoAFolderFailsAndLeavesNoTemporary) {
    const std::string folder = GetConfigDir(true, false);
    std::filesystem::create_directory(folder + "config.dat");
    WriteBytes(folder + "config.dat/inside", {1});
    EXPECT_EQ(ReplaceStoredBytes(folder + "config.dat", {1, 2}, folder + "config.dat"),
              (SaveError{Reason::RenameFailed, folder + "config.dat", Message(EISDIR)}));
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"config.dat"});
    EXPECT_TRUE(std::filesystem::exists(folder + "config.dat/inside"));
}

// Root may write anywhere, so the refusal is seen only by other users.
TEST_F(StoredFileTest, AFolderWithoutWritePermissionDeniesTheWrite) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into any folder";
    const std::string folder = GetConfigDir(true, false);
    const std::string path = folder + "config.dat";
    WriteContainer(path, "old");
    ASSERT_EQ(chmod(folder.c_str(), 0500), 0);
    const SaveError error = WriteStoredFile(path, "new");
    chmod(folder.c_str(), 0700);
    EXPECT_EQ(error, (SaveError{Reason::PermissionDenied, folder, Message(EACCES)}));
    EXPECT_EQ(ReadContainer(path), "old");
}

TEST_F(StoredFileTest, EveryReasonIsToldInWordsWithThePathAndTheSystemsText) {
    EXPECT_EQ(SaveError::FromErrno(ENOSPC, "/p", Reason::IoError).reason, Reason::DiskFull);
    EXPECT_EQ(SaveError::FromErrno(EDQUOT, "/p", Reason::IoError).reason, Reason::DiskFull);
    EXPECT_EQ(SaveError::FromErrno(EROFS, "/p", Reason::IoError).reason, Reason::PermissionDenied);
    EXPECT_EQ(SaveError::FromErrno(EIO, "/p", Reason::RenameFailed).reason, Reason::RenameFailed);
    EXPECT_EQ(SaveError{}.Describe(), "saved");
    EXPECT_FALSE(SaveError{}.Failed());
    for (const Reason reason : {Reason::NoFolder, Reason::PermissionDenied, Reason::DiskFull,
                                Reason::RenameFailed, Reason::IoError}) {
        const SaveError error{reason, "/data/x.dat", "Some error"};
        EXPECT_TRUE(error.Failed());
        const std::string text = error.Describe();
        EXPECT_NE(text.find("/data/x.dat"), std::string::npos) << text;
        EXPECT_TRUE(text.ends_with(" (Some error)")) << text;
    }
    EXPECT_EQ((SaveError{Reason::DiskFull, "/x", "No space left on device"}).Describe(),
              "the disk is full: /x could not be written (No space left on device)");
    EXPECT_EQ((SaveError{Reason::IoError, "/x", ""}).Describe(), "/x could not be written");
}

// A save that was cut short leaves its temporary file, a full copy of the profile; the next
// write of the file removes those, and nothing else.
TEST_F(StoredFileTest, AWriteRemovesTheTemporariesThatInterruptedWritesOfTheFileLeft) {
    const std::string folder = GetConfigDir(true, false);
    const std::string path = folder + "config.dat";
    const std::vector<std::string> stale = {"config.dat.AbC123", "config.dat.zzzzzz"};
    const std::vector<std::string> others = {
        "config.dat.AbC12", "config.dat.AbC1234", "config.dat.AbC-23",
        "other.dat.AbC123", "config.dat",         "config.dat.damaged-20260101-000000"};
    for (const std::string& name : stale)
        WriteBytes(folder + name, {1, 2, 3});
    for (const std::string& name : others)
        WriteBytes(folder + name, {4, 5, 6});
    std::filesystem::create_directory(folder + "config.dat.Folder");
    std::filesystem::create_symlink(folder + "other.dat.AbC123", folder + "config.dat.LnK123");

    ASSERT_FALSE(WriteStoredFile(path, "new").Failed());

    EXPECT_EQ(ReadContainer(path), "new");
    for (const std::string& name : stale)
        EXPECT_FALSE(std::filesystem::exists(folder + name)) << name;
    for (const std::string& name : others)
        EXPECT_TRUE(std::filesystem::exists(folder + name)) << name;
    EXPECT_TRUE(std::filesystem::is_directory(folder + "config.dat.Folder"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder + "config.dat.LnK123"));
}

TEST_F(StoredFileTest, APipeOrAFolderIsNeitherReadNorReplacedAndTheFallbackStaysUnread) {
    const std::string current = ConfigPath(false);
    const std::string legacy = ConfigPath(true);
    WriteContainer(legacy, "legacy");
    std::vector<unsigned char> text;
    EXPECT_EQ(ReadStoredFile(current, legacy, 200, text).state, StoredFileSource::State::Read);

    ASSERT_EQ(mkfifo(current.c_str(), 0600), 0);
    const PipeWatchdog watchdog(current);
    const StoredFileSource pipe = ReadStoredFile(current, legacy, 200, text);
    EXPECT_EQ(pipe.state, StoredFileSource::State::NotRegular);
    EXPECT_EQ(pipe.path, current);
    EXPECT_EQ(WriteStoredFile(current, "x"),
              (SaveError{Reason::RenameFailed, current, "not a regular file"}));
    EXPECT_TRUE(std::filesystem::is_fifo(current));

    std::filesystem::remove(current);
    std::filesystem::create_directory(current);
    EXPECT_EQ(ReadStoredFile(current, legacy, 200, text).state,
              StoredFileSource::State::NotRegular);
    EXPECT_EQ(WriteStoredFile(current, "x"),
              (SaveError{Reason::RenameFailed, current, Message(EISDIR)}));
}

} // namespace
