#pragma once

#include "ArchiveSplitter.h"

#include <pugixml.hpp>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Reads the XML text of a profile file while a worker thread is still inflating it.
//
// The worker inflates the text of the container, a little at a time, into one buffer. The
// loading thread follows it: as soon as the archive's children have arrived it cuts them into
// pieces of whole elements (see CArchiveSplitter), parses each piece into a document of its own
// and hands it to the caller, who reads archive items from it while the worker goes on. Once the
// text is inflated, the worker takes pieces too, so both threads parse and read. The rest of the
// text, without the children in pieces, is parsed last. Each piece is parsed and read on one
// thread while it is still in that thread's cache.
//
// A text the splitter does not follow is parsed whole, and so is one where a piece or the rest
// does not parse: the result is always what parsing the whole text gives.
class CProfileReader {
public:
    enum class Result {
        Damaged, // not a container, a stream that does not inflate, or a text that does not parse
        Whole,   // Document() holds the whole text; what the pieces gave does not count
        Split,   // the pieces held the children of SplitArchive(), Document() all the rest
    };
    static constexpr std::size_t kPieceSize = 64 << 10;

    // Reads one piece; number counts the pieces in the order of the text from 0. Called on the
    // loading thread and on the worker, at the same time: it must be safe for that. The worker
    // calls it in the code page of the loading thread.
    using PieceReader = std::function<void(const pugi::xml_document& piece, std::size_t number)>;

    // Starts reading container bytes whose text is shorter than maxRatio times their size.
    // Texts up to one piece long are inflated at once, without a worker.
    CProfileReader(std::vector<unsigned char> bytes, std::uint32_t maxRatio,
                   std::size_t pieceSize = kPieceSize);
    // Stops the worker.
    ~CProfileReader();
    CProfileReader(const CProfileReader&) = delete;
    CProfileReader& operator=(const CProfileReader&) = delete;

    // Reads the archive's children in pieces as they arrive; returns when every piece has been
    // read. What readPiece throws on either thread comes out here.
    void ReadArchive(const PieceReader& readPiece);
    // Parses what remains once the whole text has arrived.
    Result Finish();
    // After Finish.
    const pugi::xml_document& Document() const { return m_document; }
    // After Finish with Split: the archive element whose children came in pieces.
    pugi::xml_node SplitArchive() const;

private:
    // A piece taken by one thread: the text from begin to end.
    struct Piece {
        std::size_t begin = 0;
        std::size_t end = 0;
        std::size_t number = 0;
    };

    // The worker: inflates, then reads pieces as long as there are any.
    void Work(int codePage);
    void Inflate();
    // Deciphers the next bytes of the container; the count of them that belong to the stream.
    std::size_t DecipherMore();
    void Publish(std::size_t produced, bool ended, bool inflated);
    // Takes the next piece, waiting for text while it is being inflated; none when there are no
    // more pieces.
    bool TakePiece(std::unique_lock<std::mutex>& lock, Piece& piece);
    // Takes and reads pieces until there are no more.
    void ReadPieces();
    void ReadPiece(const Piece& piece);
    // A piece has been taken (and parsed in place): the text is no longer whole.
    bool HasCut() const { return m_pieces > 0; }
    Result ParseRest();
    Result ParseWhole();

    // The container, deciphered in place up to m_deciphered (by the worker while it lives).
    std::vector<unsigned char> m_bytes;
    std::size_t m_deciphered = 0;
    bool m_opened = false;
    std::uint32_t m_length = 0;
    std::size_t m_pieceSize;
    std::unique_ptr<char[]> m_text;
    std::atomic<bool> m_stop{false};
    std::thread m_worker;

    // Everything below is shared by the two threads, under the mutex.
    std::mutex m_mutex;
    std::condition_variable m_changed;
    // The worker's progress: the text inflated so far, whether no more will come (the stream
    // has ended or failed, or the worker was stopped), and whether it ended well.
    std::size_t m_produced = 0;
    bool m_ended = false;
    bool m_inflated = false;
    // The loading thread's progress: the reader of pieces once ReadArchive has begun, and
    // whether it has returned (or Finish came without it).
    const PieceReader* m_readPiece = nullptr;
    bool m_readingClosed = false;
    CArchiveSplitter m_splitter;
    std::size_t m_seen = 0;
    // The archive's children up to here have been taken as pieces.
    std::size_t m_cutEnd = 0;
    std::size_t m_pieces = 0;
    std::size_t m_piecesBeingRead = 0;
    // A piece did not parse, or its reader threw: no more pieces, and the text is parsed whole.
    bool m_pieceFailed = false;
    std::exception_ptr m_readError;

    // The text of m_document when it is not m_text itself.
    std::vector<unsigned char> m_documentText;
    pugi::xml_document m_document;
    Result m_result = Result::Damaged;
};
