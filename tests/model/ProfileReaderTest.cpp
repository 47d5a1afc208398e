// The profile reader cuts the archive of a profile into pieces while the text is still being
// inflated; whatever the text, what it gives must be what parsing the whole text gives.
#include "ProfileReading.h"
#include "model/ArchiveSplitter.h"
#include "model/UtilitiesInternal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace profile_reading;
using State = CArchiveSplitter::State;
using Result = CProfileReader::Result;

constexpr const char* kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<KvSmsDa>";

// The state, and where the children begin when in the archive, after scanning the text step
// bytes at a time.
std::pair<State, std::size_t> ScanInSteps(const std::string& text, std::size_t step) {
    CArchiveSplitter splitter;
    std::size_t available = 0;
    do {
        available = std::min(available + step, text.size());
        splitter.Scan(text.data(), available);
    } while (available < text.size());
    const bool in = splitter.GetState() == State::InArchive;
    return {splitter.GetState(), in ? splitter.ChildrenBegin() : 0};
}

TEST(ArchiveSplitterTest, FindsTheArchiveOfTheFirstUserOnlyWhereItFollowsTheMarkup) {
    const std::string head = kHead;
    const std::string unfinished = head + "<User Note=\"";
    // Where the archive is found, the text ends with its start tag: its children begin there.
    const std::vector<std::pair<std::string, State>> cases = {
        {head + "<User Name=\"ann\"><Prefs><Archive>1</Archive></Prefs><Archive>",
         State::InArchive},
        {head + "<Settings/><User Name='a>b' Note=\"x/\"><Archive Count=\"2\">", State::InArchive},
        {"<KvSmsDa>\n  <User>\n    <Archive>", State::InArchive},
        {head + "<User Name=\"ann\"", State::Seeking},
        {head + "<Group><User><Archive>", State::Seeking},
        {unfinished + std::string(1000, 'x'), State::Seeking},
        {unfinished + std::string(70000, 'x'), State::NoArchive},
        {"<?xml version=\"1.0\"?><Settings><User><Archive>", State::NoArchive},
        {"<KvSmsDa/><KvSmsDa><User><Archive>", State::NoArchive},
        {"<KvSmsDa></KvSmsDa><KvSmsDa><User><Archive>", State::NoArchive},
        {head + "<User Name=\"a\"><Prefs/></User><User Name=\"b\"><Archive>", State::NoArchive},
        {head + "<User/><User><Archive>", State::NoArchive},
        {head + "<User><Archive/>", State::NoArchive},
        {head + "<User><!-- old --><Archive>", State::NoArchive},
        {head + "<User><?note?><Archive>", State::NoArchive},
        {"<!DOCTYPE KvSmsDa><KvSmsDa><User><Archive>", State::NoArchive},
        {"profile<KvSmsDa><User><Archive>", State::NoArchive},
    };
    for (const auto& [text, state] : cases) {
        const std::size_t begin = state == State::InArchive ? text.size() : 0;
        EXPECT_EQ(ScanInSteps(text, text.size()), std::make_pair(state, begin)) << text;
        EXPECT_EQ(ScanInSteps(text, 7), std::make_pair(state, begin)) << text;
        EXPECT_EQ(ScanInSteps(text, 1), std::make_pair(state, begin)) << text;
    }
}

TEST(ArchiveSplitterTest, CutsFallAfterAnItemEndAtLeastTheMinimumAfterWhereThePieceBegins) {
    const std::string head = "<KvSmsDa><User><Archive>";
    const std::string item = "<ArchiveItem><Text>hi</Text></ArchiveItem>";
    const std::string text = head + item + item + item + "</Archive></User></KvSmsDa>";
    const std::size_t begin = head.size();
    const std::size_t length = item.size();

    CArchiveSplitter splitter;
    splitter.Scan(text.data(), text.size());
    ASSERT_EQ(splitter.GetState(), State::InArchive);
    EXPECT_EQ(splitter.FindCut(text.data(), text.size(), begin, 0), begin + length);
    EXPECT_EQ(splitter.FindCut(text.data(), text.size(), begin + length, length),
              begin + 2 * length);
    EXPECT_EQ(splitter.FindCut(text.data(), text.size(), begin + 2 * length, length + 1), 0u);

    CArchiveSplitter further;
    further.Scan(text.data(), text.size());
    EXPECT_EQ(further.FindCut(text.data(), text.size(), begin, length + 1), begin + 2 * length);

    // The text arrives up to any byte of the first item, its end tag included, then whole.
    for (std::size_t available = 1; available < begin + length; ++available) {
        CArchiveSplitter arriving;
        arriving.Scan(text.data(), available);
        EXPECT_EQ(arriving.FindCut(text.data(), available, arriving.ChildrenBegin(), 0), 0u);
        arriving.Scan(text.data(), text.size());
        EXPECT_EQ(arriving.FindCut(text.data(), text.size(), begin, 0), begin + length)
            << available;
    }
}

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

TEST(ProfileReaderTest, ALongArchiveComesInPiecesThatTogetherGiveTheWholeParse) {
    const std::string text = Profile(Items(0, 2000));
    const std::optional<std::string> whole = WholeOutline(text);
    ASSERT_TRUE(whole);
    for (const std::size_t pieceSize :
         {std::size_t{1}, std::size_t{256}, CProfileReader::kPieceSize}) {
        const ReadOutcome read = ReadProfileText(text, pieceSize);
        EXPECT_EQ(read.result, Result::Split) << pieceSize;
        EXPECT_TRUE(read.numbered) << pieceSize;
        EXPECT_GE(read.pieces, std::min<std::size_t>(2000, text.size() / pieceSize / 2));
        EXPECT_EQ(read.outline, whole) << pieceSize;
    }
    // A file of many cipher and inflate steps, read as the desktop program reads it.
    const std::string large = Profile(Items(0, 20000));
    const std::vector<unsigned char> bytes = PackStoredText(large, kMaxRatio);
    ASSERT_GT(bytes.size(), 4 * (16u << 10));
    const ReadOutcome read = ReadProfileBytes(bytes, CProfileReader::kPieceSize);
    EXPECT_EQ(read.result, Result::Split);
    EXPECT_GT(read.pieces, 20u);
    EXPECT_EQ(read.outline, WholeOutline(large));
    // A piece reader that throws stops the pieces: the text is then read whole. Without any
    // piece read, the text is parsed as it is.
    for (const std::size_t taken : {0, 3}) {
        const ReadOutcome stopped = ReadProfileText(text, 256, taken);
        EXPECT_EQ(stopped.result, Result::Whole) << taken;
        EXPECT_EQ(stopped.pieces, taken);
        EXPECT_EQ(stopped.outline, whole) << taken;
    }
    // A text of one piece is read whole.
    const std::string small = Profile(Items(0, 3));
    const ReadOutcome once = ReadProfileText(small, small.size());
    EXPECT_EQ(once.result, Result::Whole);
    EXPECT_EQ(once.pieces, 0u);
    EXPECT_EQ(once.outline, WholeOutline(small));
}

TEST(ProfileReaderTest, AnItemEndThatDoesNotEndAnArchiveChildMakesItReadWhole) {
    const std::string second = kHead + std::string("<User Name=\"a\"><Prefs/></User>") +
                               "<User Name=\"b\"><Archive>" + Items(0, 2000) +
                               "</Archive></User></KvSmsDa>";
    const std::vector<std::string> texts = {
        ProfileWith("<!-- </ArchiveItem> -->"),
        ProfileWith("<?note </ArchiveItem>?>"),
        ProfileWith("<ArchiveItem Note=\"a</ArchiveItem>b\"><Text>x</Text></ArchiveItem>"),
        ProfileWith("<ArchiveItem><Text><![CDATA[a</ArchiveItem>b]]></Text></ArchiveItem>"),
        ProfileWith("<ArchiveItem><Copy>" + Items(7, 9) + "</Copy></ArchiveItem>"),
        ProfileWith("<Deleted>" + Items(7, 9) + "</Deleted>"),
        second,
    };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::optional<std::string> whole = WholeOutline(texts[i]);
        ASSERT_TRUE(whole) << i;
        // With pieces of one byte, every item end is a cut.
        const ReadOutcome read = ReadProfileText(texts[i], 1);
        EXPECT_EQ(read.result, Result::Whole) << i;
        EXPECT_EQ(read.outline, whole) << i;
        EXPECT_EQ(ReadProfileText(texts[i], 256).outline, whole) << i;
    }
}

TEST(ProfileReaderTest, DamageAfterPiecesWereCutMakesTheProfileDamaged) {
    std::string history = Profile(Items(0, 2000));
    history.replace(history.find("</History>"), 10, "</Histroy>");
    const std::string text = Profile(Items(0, 2000));
    for (const std::string& damaged :
         {ProfileWith("<ArchiveItem><Text>x</Txet></ArchiveItem>"), history,
          text.substr(0, text.size() - 20), ProfileWith("<ArchiveItem>")}) {
        ASSERT_FALSE(WholeOutline(damaged));
        for (const std::size_t pieceSize : {1, 256}) {
            const ReadOutcome read = ReadProfileText(damaged, pieceSize);
            EXPECT_EQ(read.result, Result::Damaged) << pieceSize;
            EXPECT_GT(read.pieces, 0u);
        }
    }

    // The stream cut short, and the stream garbled from its middle on.
    const std::vector<unsigned char> bytes = PackStoredText(text, kMaxRatio);
    std::vector<unsigned char> truncated(bytes.begin(), bytes.begin() + bytes.size() / 16 * 8);
    std::vector<unsigned char> garbled = bytes;
    DecipherBuffer(garbled.data(), garbled.size());
    std::fill(garbled.begin() + static_cast<std::ptrdiff_t>(garbled.size() / 2), garbled.end(),
              0xA5);
    EncipherBuffer(garbled.data(), garbled.size());
    for (const auto& damaged : {truncated, garbled}) {
        const ReadOutcome read = ReadProfileBytes(damaged, 256);
        EXPECT_EQ(read.result, Result::Damaged);
        EXPECT_GT(read.pieces, 0u);
    }
}

TEST(ProfileReaderTest, AReaderLeftUnfinishedStopsItsWorker) {
    const std::vector<unsigned char> bytes = PackStoredText(Profile(Items(0, 20000)), kMaxRatio);
    { CProfileReader untouched(bytes, kMaxRatio, 256); }
    CProfileReader reader(bytes, kMaxRatio, 256);
    EXPECT_THROW(
        reader.ReadArchive([](const pugi::xml_document&, std::size_t) { throw StopReading(); }),
        StopReading);
}

// A piece is parsed on its own as a fragment, and a fragment takes what the whole text does not:
// a document type declaration (refused inside an element) and a zero byte (which ends the text
// with the archive still open, but would only end the piece). A piece holding either is not
// parsed alone, and the profile is judged by the whole text.
TEST(ProfileReaderTest, MarkupThatOnlyAPieceWouldTakeIsJudgedByTheWholeText) {
    for (const std::string& text : {ProfileWith("<!DOCTYPE x>"), ProfileWith(std::string(1, '\0')),
                                    ProfileWith("<!-- x --" + std::string(1, '\0') + ">")}) {
        ASSERT_FALSE(WholeOutline(text));
        for (const std::size_t pieceSize : {1, 256})
            EXPECT_EQ(ReadProfileText(text, pieceSize).result, Result::Damaged) << pieceSize;
    }
}

} // namespace
