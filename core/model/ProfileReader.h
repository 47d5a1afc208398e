#pragma once

#include "ArchiveSplitter.h"

#include <pugixml.hpp>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Reads the XML text of a profile file while a worker thread is still inflating it.
//
// The worker only inflates the text of the container, a little at a time, into one buffer. The
// loading thread follows it: it cuts the children of the archive into pieces of whole elements
// as soon as they have arrived (see CArchiveSplitter) and parses each piece into a document of
// its own, from which its caller builds archive items while the worker goes on. The rest of the
// text, without the children in pieces, is parsed last. So inflating overlaps parsing and
// building, each piece is parsed while it is still in the cache, and every document is made and
// read on the same thread.
//
// A text the splitter does not follow is parsed whole, and so is one where a piece or the rest
// does not parse: the result is always what parsing the whole text gives.
class CProfileReader {
public:
    enum class Result {
        Damaged, // not a container, a stream that does not inflate, or a text that does not parse
        Whole,   // Document() holds the whole text; pieces taken do not count
        Split,   // the pieces held the children of SplitArchive(), Document() all the rest
    };
    static constexpr std::size_t kPieceSize = 64 << 10;

    // Starts reading container bytes whose text is shorter than maxRatio times their size.
    // Texts up to one piece long are inflated at once, without a worker.
    CProfileReader(std::vector<unsigned char> bytes, std::uint32_t maxRatio,
                   std::size_t pieceSize = kPieceSize);
    // Stops the worker.
    ~CProfileReader();
    CProfileReader(const CProfileReader&) = delete;
    CProfileReader& operator=(const CProfileReader&) = delete;

    // The next piece of the archive's children, in the order of the text; null after the last.
    // A piece lives on the text of this reader: it must go before the reader does.
    std::unique_ptr<pugi::xml_document> NextArchivePiece();
    // Parses what remains once the whole text has arrived.
    Result Finish();
    // After Finish.
    const pugi::xml_document& Document() const { return m_document; }
    // After Finish with Split: the archive element whose children came in pieces.
    pugi::xml_node SplitArchive() const;

private:
    // The worker's loop.
    void Inflate();
    void Publish(std::size_t produced, bool ended, bool inflated);
    // Waits until more text than seen has arrived and follows it; false when no more comes.
    bool WaitForMore();
    std::unique_ptr<pugi::xml_document> Cut(std::size_t end);
    Result ParseRest();
    Result ParseWhole();

    std::vector<unsigned char> m_bytes;
    bool m_opened = false;
    std::uint32_t m_length = 0;
    std::size_t m_pieceSize;
    std::unique_ptr<char[]> m_text;
    // Written by the worker under the mutex: the text inflated so far, whether no more will come
    // (the stream has ended or failed, or the worker was stopped), and whether it ended well.
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::size_t m_produced = 0;
    bool m_ended = false;
    bool m_inflated = false;
    std::atomic<bool> m_stop{false};
    std::thread m_worker;

    CArchiveSplitter m_splitter;
    std::size_t m_seen = 0;
    // The archive's children up to here have been cut into pieces.
    std::size_t m_cutEnd = 0;
    // A piece has been parsed in place: the text is no longer whole.
    bool m_textCut = false;
    // A piece did not parse: no more pieces, and the text is parsed whole.
    bool m_pieceFailed = false;
    // The text of m_document when it is not m_text itself.
    std::vector<unsigned char> m_documentText;
    pugi::xml_document m_document;
    Result m_result = Result::Damaged;
};
