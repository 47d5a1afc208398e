#include "ProfileReader.h"

#include "StoredFile.h"
#include "StoredXml.h"
#include "UtilitiesInternal.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <system_error>

namespace {

// The worker hands the text over this much at a time.
constexpr std::size_t kInflateChunk = 64 << 10;
// The worker deciphers the container this much at a time (whole cipher blocks).
constexpr std::size_t kDecipherChunk = 16 << 10;
// Longer texts are read whole: the text is inflated into one buffer of its stated length, which
// a damaged file must not be able to make huge.
constexpr std::size_t kMaxCutText = std::size_t{64} << 20;

// A piece holds elements and the text between them: a fragment, not a document.
constexpr unsigned int kPieceParseFlags = kStoredXmlParseFlags | pugi::parse_fragment;

bool ParseInPlace(pugi::xml_document& document, char* text, std::size_t count, unsigned int flags) {
    return document.load_buffer_inplace(text, count, flags, pugi::encoding_utf8);
}

// At the top of a fragment the parser takes two things that it refuses where a piece stands in
// the whole text, inside the archive: a document type ("<!DOCTYPE", and any other "<!D" fails
// alike), and a zero byte, which ends the parse there as the end of the text would. A piece
// with either is not parsed on its own.
bool IsParsedAlike(std::string_view piece) {
    if (piece.find('\0') != std::string_view::npos)
        return false;
    for (std::size_t mark = piece.find('!'); mark != std::string_view::npos;
         mark = piece.find('!', mark + 1)) {
        if (mark > 0 && piece[mark - 1] == '<' && mark + 1 < piece.size() && piece[mark + 1] == 'D')
            return false;
    }
    return true;
}

} // namespace

CProfileReader::CProfileReader(std::vector<unsigned char> bytes, std::uint32_t maxRatio,
                               std::size_t pieceSize)
    : m_bytes(std::move(bytes)), m_pieceSize(pieceSize) {
    const std::optional<std::uint32_t> length = StoredTextLength(m_bytes, maxRatio);
    m_opened = length.has_value();
    m_length = length.value_or(0);
    if (!m_opened || m_length <= m_pieceSize || m_length > kMaxCutText)
        return;
    m_text = std::make_unique_for_overwrite<char[]>(m_length);
    const int codePage = GetAnsiCodePage();
    try {
        m_worker = std::thread([this, codePage] { Work(codePage); });
    } catch (const std::system_error&) {
        Inflate();
    }
}

CProfileReader::~CProfileReader() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        m_readingClosed = true;
    }
    m_changed.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

void CProfileReader::Work(int codePage) {
    try {
        Inflate();
        const CCodePageScope scope(codePage);
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_readPiece || m_readingClosed; });
            if (m_readingClosed)
                return;
        }
        ReadPieces();
    } catch (...) {
        {
            const std::lock_guard lock(m_mutex);
            m_readError = std::current_exception();
            m_pieceFailed = m_ended = true;
        }
        m_changed.notify_all();
    }
}

// Deciphers the container a little ahead of the inflater.
void CProfileReader::Inflate() {
    CInflater inflater(m_bytes.data() + kStoredHeaderSize, 0);
    auto* out = reinterpret_cast<unsigned char*>(m_text.get());
    std::size_t produced = 0;
    CInflater::Step step = CInflater::Step::More;
    while (step == CInflater::Step::More && !m_stop) {
        if (inflater.Unread() < kDecipherChunk / 2 && m_deciphered < m_bytes.size())
            inflater.Supply(DecipherMore());
        step = inflater.Inflate(out + produced, std::min(kInflateChunk, m_length - produced),
                                produced);
        Publish(produced, step != CInflater::Step::More, step == CInflater::Step::End);
    }
    if (m_stop)
        Publish(produced, true, false);
}

std::size_t CProfileReader::DecipherMore() {
    const std::size_t begin = m_deciphered;
    m_deciphered = std::min(m_bytes.size(), begin + kDecipherChunk);
    DecipherBuffer(m_bytes.data() + begin, m_deciphered - begin);
    return m_deciphered - std::max(begin, kStoredHeaderSize);
}

void CProfileReader::Publish(std::size_t produced, bool ended, bool inflated) {
    {
        const std::lock_guard lock(m_mutex);
        m_produced = produced;
        m_ended = ended;
        m_inflated = inflated;
    }
    m_changed.notify_all();
}

void CProfileReader::ReadArchive(const PieceReader& readPiece) {
    if (!m_text)
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_readPiece = &readPiece;
    }
    m_changed.notify_all();
    ReadPieces();
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_piecesBeingRead == 0; });
    m_readingClosed = true;
    m_readPiece = nullptr;
    if (m_readError)
        std::rethrow_exception(m_readError);
}

void CProfileReader::ReadPieces() {
    std::unique_lock lock(m_mutex);
    Piece piece;
    while (TakePiece(lock, piece)) {
        lock.unlock();
        ReadPiece(piece);
        lock.lock();
        --m_piecesBeingRead;
        m_changed.notify_all();
    }
}

bool CProfileReader::TakePiece(std::unique_lock<std::mutex>& lock, Piece& piece) {
    for (;;) {
        if (m_pieceFailed || m_readingClosed ||
            m_splitter.GetState() == CArchiveSplitter::State::NoArchive)
            return false;
        if (m_splitter.GetState() == CArchiveSplitter::State::InArchive) {
            if (const std::size_t cut =
                    m_splitter.FindCut(m_text.get(), m_seen, m_cutEnd, m_pieceSize)) {
                piece = {m_cutEnd, cut, m_pieces++};
                m_cutEnd = cut;
                ++m_piecesBeingRead;
                return true;
            }
        }
        if (m_produced == m_seen) {
            if (m_ended)
                return false;
            m_changed.wait(lock);
            continue;
        }
        m_seen = m_produced;
        m_splitter.Scan(m_text.get(), m_seen);
        // Until the first cut, the pieces begin where the archive's children do.
        if (!HasCut())
            m_cutEnd = m_splitter.ChildrenBegin();
    }
}

void CProfileReader::ReadPiece(const Piece& piece) {
    pugi::xml_document document;
    char* text = m_text.get() + piece.begin;
    const std::size_t count = piece.end - piece.begin;
    const bool parsed = IsParsedAlike(std::string_view(text, count)) &&
                        ParseInPlace(document, text, count, kPieceParseFlags);
    std::exception_ptr error;
    if (parsed) {
        try {
            (*m_readPiece)(document, piece.number);
        } catch (...) {
            error = std::current_exception();
        }
    }
    if (!parsed || error) {
        const std::lock_guard lock(m_mutex);
        m_pieceFailed = true;
        if (!m_readError)
            m_readError = error;
    }
}

CProfileReader::Result CProfileReader::Finish() {
    {
        const std::lock_guard lock(m_mutex);
        m_readingClosed = true;
    }
    m_changed.notify_all();
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
    if (!HasCut()) {
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
    while (m_deciphered < m_bytes.size())
        DecipherMore();
    m_documentText.clear();
    if (!InflateStoredText(m_bytes, m_length, m_documentText) ||
        !ParseStoredXml(m_document, m_documentText))
        return Result::Damaged;
    return Result::Whole;
}
