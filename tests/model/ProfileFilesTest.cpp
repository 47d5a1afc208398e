// The profile files on a real file system: damaged, unreadable, foreign and odd files (pipes,
// folders, links) in the profile's place, and what the store keeps and tells about them.
#include "ProfileTestFolder.h"
#include "model/SmsUserInfo.h"
#include "model/StoredFileNotice.h"
#include "model/UtilitiesInternal.h"

#include <algorithm>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

void PrintTo(const StoredFileNotice& notice, std::ostream* out) {
    *out << "{problem " << static_cast<int>(notice.problem) << ", " << notice.path << ", kept as \""
         << notice.keptAs << "\", error " << notice.error << "}";
}

namespace {

using Problem = StoredFileNotice::Problem;

class ProfileFilesTest : public ProfileFolderTest {
protected:
    void SetUp() override {
        ProfileFolderTest::SetUp();
        TakeStoredFileNotices(); // what earlier tests left
    }

    static std::unique_ptr<CSmsUserInfo> Load(const std::string& name = "alice") {
        return CSmsUserInfo::GetUserInfo(name, "1.1", "QLN");
    }

    static std::string Profile(const std::string& prefs, const std::string& name = "alice") {
        return "<?xml version=\"1.0\"?><KvSmsDa><User Name=\"" + name + "\"><Prefs>" + prefs +
               "</Prefs></User></KvSmsDa>";
    }

    // The damaged copies beside the profile, oldest first.
    static std::vector<std::string> Copies(const std::string& name = "alice") {
        std::vector<std::string> copies;
        const std::string prefix = name + ".dat.damaged-2026";
        for (const auto& entry : fs::directory_iterator(fs::path(ProfilePath(name)).parent_path()))
            if (entry.path().filename().string().starts_with(prefix))
                copies.push_back(entry.path().filename().string());
        std::sort(copies.begin(), copies.end());
        return copies;
    }

    static std::vector<std::string> Entries(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string UserData() { return GetConfigDir(false, false) + "UserData/"; }

    static unsigned ModeOf(const std::string& path) {
        struct stat info {};
        EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
        return info.st_mode & 07777;
    }

    // Runs the function where no file can be opened (every descriptor is in use), as under
    // a transient shortage.
    template <typename Function> static void WithoutFreeDescriptors(Function function) {
        rlimit previous{};
        ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &previous), 0);
        const int lowestFree = dup(0);
        ASSERT_GE(lowestFree, 0);
        close(lowestFree);
        rlimit none = previous;
        none.rlim_cur = static_cast<rlim_t>(lowestFree);
        ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &none), 0);
        function();
        setrlimit(RLIMIT_NOFILE, &previous);
    }

    FixedClock m_clock{LocalTime(2026, 3, 14, 15, 9, 26)};
};

// The one notice expected.
std::vector<StoredFileNotice> Notices(Problem problem, const std::string& path,
                                      const std::string& keptAs = {}, int error = 0) {
    return {{problem, path, keptAs, error}};
}

std::vector<unsigned char> Flipped(std::vector<unsigned char> bytes, std::size_t at) {
    bytes[at] ^= 0x10;
    return bytes;
}

TEST_F(ProfileFilesTest, DamagedProfilesAreKeptBesideTheNewOneBeforeASaveReplacesThem) {
    const std::vector<unsigned char> good = PackStoredText(Profile("<Total>7</Total>"), 200);
    std::vector<unsigned char> shortLength = good; // the text is longer than it says
    DecipherBuffer(shortLength.data(), 8);
    shortLength[0] = 10;
    shortLength[1] = shortLength[2] = shortLength[3] = 0;
    EncipherBuffer(shortLength.data(), 8);
    const std::vector<std::vector<unsigned char>> damaged = {
        std::vector<unsigned char>(good.begin(), good.end() - 8), // cut short
        Flipped(good, good.size() / 2),
        Flipped(good, 2), // in the length
        std::vector<unsigned char>(good.begin(), good.end() - 3),
        shortLength,
        PackStoredText("<KvSmsDa><User Name=\"alice\"><Prefs>", 200),
        PackStoredText("<Other><User Name=\"alice\"/></Other>", 200),
        PackStoredText("<KvSmsDa><Settings/></KvSmsDa>", 200), // there, but no user at all
        {},
    };
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        const std::string name = "user" + std::to_string(i);
        WriteBytes(ProfilePath(name), damaged[i]);

        auto user = Load(name);
        ASSERT_NE(user, nullptr);
        EXPECT_EQ(user->GetSentTotal(), 0);
        ASSERT_EQ(Copies(name), std::vector<std::string>{name + ".dat.damaged-20260314-150926"});
        const std::string copy = UserData() + Copies(name).front();
        EXPECT_EQ(ReadBytes(copy), damaged[i]);
        EXPECT_EQ(ModeOf(copy), 0600u);
        EXPECT_EQ(TakeStoredFileNotices(), Notices(Problem::Damaged, ProfilePath(name), copy));

        user->IncrementCounters(2);
        ASSERT_TRUE(user->Save(false));
        EXPECT_EQ(ReadBytes(copy), damaged[i]) << "the copy is not the file saved";
        EXPECT_EQ(Load(name)->GetSentTotal(), 2);
        EXPECT_EQ(Copies(name).size(), 1u);
        EXPECT_TRUE(TakeStoredFileNotices().empty());
    }
}

TEST_F(ProfileFilesTest, MissingFilesAndFilesOfOtherUsersAreNoDamage) {
    EXPECT_NE(Load(), nullptr);
    WriteContainer(ProfilePath("alice"), Profile("<Total>7</Total>", "Alice"));
    auto user = Load();
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->GetSentTotal(), 0);
    EXPECT_TRUE(Copies().empty());
    EXPECT_TRUE(TakeStoredFileNotices().empty());

    // The legacy file is never written, so it is its own copy.
    fs::remove(ProfilePath("alice"));
    const std::string legacy = ProfilePath("alice", true);
    WriteBytes(legacy, {1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(Load()->GetSentTotal(), 0);
    EXPECT_EQ(TakeStoredFileNotices(), Notices(Problem::Damaged, legacy, legacy));
    EXPECT_TRUE(Copies().empty());
    EXPECT_EQ(Entries(fs::path(legacy).parent_path()), std::vector<std::string>{"alice.dat"});
}

TEST_F(ProfileFilesTest, EachDamageIsKeptOnceAndTheNewestThreeCopiesStay) {
    const std::string unrelated[] = {"alice.dat.damaged-notes", "alice.dat.damaged-2020",
                                     "bob.dat.damaged-20200101-000000"};
    for (const std::string& name : unrelated)
        WriteBytes(UserData() + name, {1});
    for (int i = 0; i < 5; ++i) {
        WriteBytes(ProfilePath("alice"),
                   std::vector<unsigned char>(8, static_cast<unsigned char>(i)));
        EXPECT_NE(Load(), nullptr);
        EXPECT_NE(Load(), nullptr); // the same damage again
        m_clock.Advance(i == 1 ? 0 : 3600);
    }
    // The second and third damage were found in the same second.
    ASSERT_EQ(Copies(), (std::vector<std::string>{"alice.dat.damaged-20260314-160926-2",
                                                  "alice.dat.damaged-20260314-170926",
                                                  "alice.dat.damaged-20260314-180926"}));
    EXPECT_EQ(ReadBytes(UserData() + Copies().back()), std::vector<unsigned char>(8, 4));
    EXPECT_EQ(TakeStoredFileNotices().size(), 5u);
    for (const std::string& name : unrelated)
        EXPECT_TRUE(fs::exists(UserData() + name)) << name;
}

TEST_F(ProfileFilesTest, AProfileThatCannotBeReadGetsNoUserAndIsNotReplaced) {
    WriteContainer(ProfilePath("alice"), Profile("<Total>7</Total>"));
    WriteContainer(ProfilePath("alice", true), Profile("<Total>1</Total>"));
    const std::vector<unsigned char> stored = ReadBytes(ProfilePath("alice"));
    std::unique_ptr<CSmsUserInfo> user;
    WithoutFreeDescriptors([&] { user = Load(); });

    EXPECT_EQ(user, nullptr) << "neither a new user nor the legacy one may take its place";
    EXPECT_EQ(TakeStoredFileNotices(),
              Notices(Problem::Unreadable, ProfilePath("alice"), {}, EMFILE));
    EXPECT_TRUE(Copies().empty());
    EXPECT_EQ(ReadBytes(ProfilePath("alice")), stored);
    EXPECT_EQ(Load()->GetSentTotal(), 7);
}

TEST_F(ProfileFilesTest, APipeOrAFolderInThePlaceOfAProfileIsNeitherWaitedForNorReplaced) {
    const std::string path = ProfilePath("alice");
    fs::create_directories(fs::path(path).parent_path());
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    const PipeWatchdog watchdog(path);
    auto user = Load();
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->GetSentTotal(), 0);
    EXPECT_EQ(TakeStoredFileNotices(), Notices(Problem::NotRegular, path));
    EXPECT_FALSE(user->Save(false));
    EXPECT_FALSE(user->Save(true));
    EXPECT_FALSE(CSmsUserInfo::ResetPwd("alice"));
    EXPECT_TRUE(fs::is_fifo(path));
    EXPECT_TRUE(TakeStoredFileNotices().empty()) << "told once";

    const std::string folder = ProfilePath("bob");
    fs::create_directory(folder);
    EXPECT_NE(Load("bob"), nullptr);
    EXPECT_EQ(TakeStoredFileNotices(), Notices(Problem::NotRegular, folder));
    EXPECT_FALSE(Load("bob")->Save(false));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(Copies().empty());
    EXPECT_TRUE(Copies("bob").empty());
}

TEST_F(ProfileFilesTest, AProfileThatIsALinkIsWrittenThroughToItsTarget) {
    const TempDir elsewhere;
    const fs::path target = elsewhere.Path() / "profiles" / "alice.dat";
    WriteContainer(target, Profile("<Total>7</Total>"));
    fs::create_directories(UserData());
    fs::create_symlink(target, ProfilePath("alice"));

    auto user = Load();
    EXPECT_EQ(user->GetSentTotal(), 7);
    user->IncrementCounters(1);
    ASSERT_TRUE(user->Save(false));
    EXPECT_TRUE(fs::is_symlink(ProfilePath("alice")));
    EXPECT_EQ(fs::read_symlink(ProfilePath("alice")), target);
    EXPECT_EQ(Load()->GetSentTotal(), 8);
    EXPECT_EQ(Entries(target.parent_path()), std::vector<std::string>{"alice.dat"});

    // A relative link to a file that is not there yet makes it.
    fs::remove(ProfilePath("alice"));
    fs::create_symlink("../bob.dat", ProfilePath("alice"));
    ASSERT_TRUE(user->Save(false));
    EXPECT_TRUE(fs::is_symlink(ProfilePath("alice")));
    EXPECT_TRUE(fs::is_regular_file(GetConfigDir(false, false) + "bob.dat"));
    EXPECT_EQ(Load()->GetSentTotal(), 8);
}

TEST_F(ProfileFilesTest, TheProgramsLooseFoldersAndFilesBecomePrivateButNotTheirParents) {
    const std::string profile = ProfilePath("alice");
    WriteContainer(profile, Profile("<Total>7</Total>"));
    const std::string data = std::getenv("XDG_DATA_HOME");
    const std::string vendor = data + "/Velora", config = vendor + "/Quillon";
    const std::string userData = config + "/UserData";
    for (const std::string& folder : {vendor, config, userData})
        fs::permissions(folder, fs::perms::all);
    fs::permissions(profile, fs::perms(0644));
    fs::permissions(data, fs::perms(0755));

    auto user = Load();
    EXPECT_EQ(ModeOf(profile), 0600u) << "made private when it is opened";
    EXPECT_EQ(ModeOf(userData), 0700u);
    EXPECT_EQ(ModeOf(vendor), 0777u) << "a load makes no folders";
    ASSERT_TRUE(user->Save(false));
    EXPECT_EQ(ModeOf(vendor), 0700u);
    EXPECT_EQ(ModeOf(config), 0700u);
    EXPECT_EQ(ModeOf(profile), 0600u);
    EXPECT_EQ(ModeOf(data), 0755u) << "the local data folder is not the program's";
}

} // namespace
