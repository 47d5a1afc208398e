// Loading a profile reads the whole text of the file in one go: whatever the text, the user that
// comes out must be what reading the whole document gives, and a text that does not parse gives
// a new user and a notice of the damage.
#include "ProfileTestFolder.h"
#include "WrittenXml.h"
#include "model/SmsUserInfo.h"
#include "model/StoredFileNotice.h"
#include "model/StoredXml.h"
#include "model/UtilitiesInternal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<KvSmsDa>";
constexpr std::uint32_t kMaxRatio = 200;

std::string Items(int first, int end) {
    std::string items;
    for (int i = first; i < end; ++i) {
        const std::string n = std::to_string(i);
        items += "<ArchiveItem><TimeSent>" + std::to_string(1700000000 + i) + "</TimeSent><Type>" +
                 std::to_string(i % 2) + "</Type><Text>message " + n +
                 " &amp; more</Text><Recipients><Recipient><SmsId Status=\"0\">" + n +
                 "</SmsId><OrigNr>0903" + n +
                 "</OrigNr></Recipient></Recipients></ArchiveItem>\r\n";
    }
    return items;
}

std::string Profile(const std::string& archive) {
    return kHead + std::string("<User Name=\"ann\"><Archive>") + archive +
           "</Archive><AddressBook><Entry><Name Phone1=\"0903123456\">Jan</Name></Entry>"
           "</AddressBook><History><HistoryItem TimeStamp=\"1700000000\">0903123456</HistoryItem>"
           "</History></User></KvSmsDa>";
}

// The archive with other children between its first and second thousand items.
std::string ProfileWith(const std::string& between) {
    return Profile(Items(0, 1000) + between + Items(1000, 2000));
}

std::string ArchiveXml(const CSmsArchive& archive) {
    return WrittenXml([&](CXmlWriter& writer) { archive.WriteXML(writer); });
}

// The archive that reading the whole document gives for the user of that name: every "Archive"
// of the first "User" so named.
std::string WholeDocumentArchive(const std::string& text, const std::string& name) {
    std::vector<unsigned char> bytes(text.begin(), text.end());
    pugi::xml_document document;
    EXPECT_TRUE(ParseStoredXml(document, bytes));
    CSmsArchive archive;
    for (const pugi::xml_node& user : StoredXmlRoot(document).children("User")) {
        if (std::string(user.attribute("Name").value()) != name)
            continue;
        for (const pugi::xml_node& element : user.children("Archive"))
            archive.ReadXML(element);
        break;
    }
    return ArchiveXml(archive);
}

bool IsDamagedNotice(const StoredFileNotice& notice) {
    return notice.problem == StoredFileNotice::Problem::Damaged;
}

class ProfileReaderTest : public ProfileFolderTest {
protected:
    void SetUp() override {
        ProfileFolderTest::SetUp();
        TakeStoredFileNotices();
    }

    static void Store(const std::string& text, const std::string& name = "ann") {
        std::filesystem::create_directories(std::filesystem::path(ProfilePath(name)).parent_path());
        ASSERT_FALSE(WriteStoredFile(ProfilePath(name), text, kMaxRatio).Failed());
    }

    static std::unique_ptr<CSmsUserInfo> Load(const std::string& name = "ann") {
        return CSmsUserInfo::GetUserInfo(name, "1.1", "QLN");
    }

    // The profile loads as a new user, and the damage is told once. Each case has a user of its
    // own: a notice is told once per process.
    static void ExpectDamaged(const std::string& name) {
        const std::unique_ptr<CSmsUserInfo> user = Load(name);
        ASSERT_TRUE(user) << name;
        EXPECT_EQ(user->GetArchive().GetItemCount(), 0) << name;
        EXPECT_TRUE(user->GetHistory().empty()) << name;
        const std::vector<StoredFileNotice> notices = TakeStoredFileNotices();
        EXPECT_EQ(std::count_if(notices.begin(), notices.end(), IsDamagedNotice), 1) << name;
    }
};

TEST_F(ProfileReaderTest, ALargeProfileLoadsAsTheWholeDocumentReads) {
    const std::string text = Profile(Items(0, 20000));
    Store(text);
    const std::unique_ptr<CSmsUserInfo> user = Load();
    ASSERT_TRUE(user);
    EXPECT_EQ(user->GetArchive().GetItemCount(), 20000);
    EXPECT_EQ(ArchiveXml(user->GetArchive()), WholeDocumentArchive(text, "ann"));
    EXPECT_EQ(user->GetAddressBook().GetItemCount(), 1);
    EXPECT_EQ(user->GetHistory().size(), 1u);
    EXPECT_TRUE(TakeStoredFileNotices().empty());
}

// Markup around and inside the archive's items that a reader looking for item ends would
// misjudge: the user is still what the whole document gives.
TEST_F(ProfileReaderTest, OddMarkupInTheArchiveLoadsAsTheWholeDocumentReads) {
    const std::string second = kHead + std::string("<User Name=\"a\"><Prefs/></User>") +
                               "<User Name=\"ann\"><Archive>" + Items(0, 2000) +
                               "</Archive></User></KvSmsDa>";
    const std::vector<std::string> texts = {
        ProfileWith("<!-- </ArchiveItem> -->"),
        ProfileWith("<?note </ArchiveItem>?>"),
        ProfileWith("<ArchiveItem Note=\"a</ArchiveItem>b\"><Text>x</Text></ArchiveItem>"),
        ProfileWith("<ArchiveItem><Text><![CDATA[a</ArchiveItem>b]]></Text></ArchiveItem>"),
        ProfileWith("<ArchiveItem><Copy>" + Items(7, 9) + "</Copy></ArchiveItem>"),
        ProfileWith("<Deleted>" + Items(7, 9) + "</Deleted>"),
        Profile(Items(0, 1000)) + "<!-- after -->",
        second,
    };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        Store(texts[i]);
        const std::unique_ptr<CSmsUserInfo> user = Load();
        ASSERT_TRUE(user) << i;
        EXPECT_GE(user->GetArchive().GetItemCount(), 1000) << i;
        EXPECT_EQ(ArchiveXml(user->GetArchive()), WholeDocumentArchive(texts[i], "ann")) << i;
        EXPECT_TRUE(TakeStoredFileNotices().empty()) << i;
    }
}

// However far into the text the damage lies, nothing of the text counts.
TEST_F(ProfileReaderTest, DamageAnywhereInTheTextMakesTheProfileDamaged) {
    std::string history = Profile(Items(0, 2000));
    history.replace(history.find("</History>"), 10, "</Histroy>");
    const std::string text = Profile(Items(0, 2000));
    const std::vector<std::string> damaged = {
        ProfileWith("<ArchiveItem><Text>x</Txet></ArchiveItem>"),
        history,
        text.substr(0, text.size() - 20),
        ProfileWith("<ArchiveItem>"),
        // Taken at the top of a document, refused inside an element.
        ProfileWith("<!DOCTYPE x>"),
        // A zero byte ends the text with the archive still open.
        ProfileWith(std::string(1, '\0')),
        ProfileWith("<!-- x --" + std::string(1, '\0') + ">"),
    };
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        const std::string name = "ann" + std::to_string(i);
        Store(damaged[i], name);
        ExpectDamaged(name);
    }
}

TEST_F(ProfileReaderTest, AStreamCutShortOrGarbledMakesTheProfileDamaged) {
    const std::vector<unsigned char> bytes = PackStoredText(Profile(Items(0, 2000)), kMaxRatio);
    const std::vector<unsigned char> truncated(bytes.begin(),
                                               bytes.begin() + bytes.size() / 16 * 8);
    std::vector<unsigned char> garbled = bytes;
    DecipherBuffer(garbled.data(), garbled.size());
    std::fill(garbled.begin() + static_cast<std::ptrdiff_t>(garbled.size() / 2), garbled.end(),
              0xA5);
    EncipherBuffer(garbled.data(), garbled.size());
    WriteBytes(ProfilePath("truncated"), truncated);
    ExpectDamaged("truncated");
    WriteBytes(ProfilePath("garbled"), garbled);
    ExpectDamaged("garbled");
}

} // namespace
