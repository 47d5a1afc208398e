#include "ProfileReader.h"

#include "StoredFile.h"
#include "StoredXml.h"
#include "UtilitiesInternal.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace {

// The worker hands the text over this much at a time.
constexpr std::size_t kInflateChunk = 64 << 10;
// Longer texts are read whole: the text is inflated into one buffer of its stated length, which
// a damaged file must not be able to make huge.
constexpr std::size_t kMaxCutText = std::size_t{64} << 20;

// A piece holds elements and the text between them: a fragment, not a document.
constexpr unsigned int kPieceParseFlags = kStoredXmlParseFlags | pugi::parse_fragment;

bool ParseInPlace(pugi::xml_document& document, char* text, std::size_t count, unsigned int flags) {
    return document.load_buffer_inplace(text, count, flags, pugi::encoding_utf8);
}

} // namespace

CProfileReader::CProfileReader(std::vector<unsigned char> bytes, std::uint32_t maxRatio,
                               std::size_t pieceSize)
    : m_bytes(std::move(bytes)), m_pieceSize(pieceSize) {
    const std::optional<std::uint32_t> length = OpenStoredContainer(m_bytes, maxRatio);
    m_opened = length.has_value();
    m_length = length.value_or(0);
    if (!m_opened || m_length <= m_pieceSize || m_length > kMaxCutText)
        return;
    m_text = std::make_unique_for_overwrite<char[]>(m_length);
    try {
        m_worker = std::thread([this] { Inflate(); });
    } catch (const std::system_error&) {
        Inflate();
    }
}

CProfileReader::~CProfileReader() {
    m_stop = true;
    if (m_worker.joinable())
        m_worker.join();
}

void CProfileReader::Inflate() {
    CInflater inflater(StoredStream(m_bytes), StoredStreamSize(m_bytes));
    auto* out = reinterpret_cast<unsigned char*>(m_text.get());
    std::size_t produced = 0;
    CInflater::Step step = CInflater::Step::More;
    while (step == CInflater::Step::More && !m_stop) {
        step = inflater.Inflate(out + produced, std::min(kInflateChunk, m_length - produced),
                                produced);
        Publish(produced, step != CInflater::Step::More, step == CInflater::Step::End);
    }
    if (m_stop)
        Publish(produced, true, false);
}

void CProfileReader::Publish(std::size_t produced, bool ended, bool inflated) {
    {
        const std::lock_guard lock(m_mutex);
        m_produced = produced;
        m_ended = ended;
        m_inflated = inflated;
    }
    m_arrived.notify_one();
}

bool CProfileReader::WaitForMore() {
    {
        std::unique_lock lock(m_mutex);
        m_arrived.wait(lock, [this] { return m_produced > m_seen || m_ended; });
        if (m_produced == m_seen)
            return false;
        m_seen = m_produced;
    }
    m_splitter.Scan(m_text.get(), m_seen);
    // Until the first cut, the pieces begin where the archive's children do.
    if (!m_textCut)
        m_cutEnd = m_splitter.ChildrenBegin();
    return true;
}

std::unique_ptr<pugi::xml_document> CProfileReader::NextArchivePiece() {
    if (!m_text || m_pieceFailed)
        return nullptr;
    for (;;) {
        switch (m_splitter.GetState()) {
        case CArchiveSplitter::State::Seeking:
            break;
        case CArchiveSplitter::State::InArchive:
            if (const std::size_t cut =
                    m_splitter.FindCut(m_text.get(), m_seen, m_cutEnd, m_pieceSize))
                return Cut(cut);
            break;
        case CArchiveSplitter::State::NoArchive:
            return nullptr;
        }
        if (!WaitForMore())
            return nullptr;
    }
}

// Parses the text from the last cut to end in place, as a piece.
std::unique_ptr<pugi::xml_document> CProfileReader::Cut(std::size_t end) {
    auto piece = std::make_unique<pugi::xml_document>();
    m_textCut = true;
    const bool parsed =
        ParseInPlace(*piece, m_text.get() + m_cutEnd, end - m_cutEnd, kPieceParseFlags);
    m_cutEnd = end;
    m_pieceFailed = !parsed;
    return parsed ? std::move(piece) : nullptr;
}

CProfileReader::Result CProfileReader::Finish() {
    if (m_worker.joinable())
        m_worker.join();
    if (!m_opened)
        m_result = Result::Damaged;
    else if (!m_text || m_pieceFailed)
        m_result = ParseWhole();
    else
        m_result = m_inflated ? ParseRest() : Result::Damaged;
    return m_result;
}

pugi::xml_node CProfileReader::SplitArchive() const {
    if (m_result != Result::Split)
        return {};
    return StoredXmlRoot(m_document).child("User").child("Archive");
}

// The whole text has arrived. With pieces cut, the rest is the text without the children in
// them.
CProfileReader::Result CProfileReader::ParseRest() {
    if (!m_textCut) {
        const bool parsed =
            ParseInPlace(m_document, m_text.get(), m_produced, kStoredXmlParseFlags);
        return parsed ? Result::Whole : Result::Damaged;
    }
    const char* text = m_text.get();
    m_documentText.assign(text, text + m_splitter.ChildrenBegin());
    m_documentText.insert(m_documentText.end(), text + m_cutEnd, text + m_produced);
    // A rest that does not parse is judged by the whole text.
    return ParseStoredXml(m_document, m_documentText) ? Result::Split : ParseWhole();
}

// Inflates the whole text again from the container and parses it at once.
CProfileReader::Result CProfileReader::ParseWhole() {
    m_documentText.clear();
    if (!InflateStoredText(m_bytes, m_length, m_documentText) ||
        !ParseStoredXml(m_document, m_documentText))
        return Result::Damaged;
    return Result::Whole;
}
