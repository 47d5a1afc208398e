#pragma once

#include "model/ProfileReader.h"
#include "model/StoredFile.h"
#include "model/StoredXml.h"

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What CProfileReader gives next to what parsing the whole text gives, as outlines: the names,
// attributes and texts of the elements, nested. The archive whose children come in pieces (the
// first "Archive" of the first "User") is outlined by its element children alone, so that the
// pieces' children, then the rest's, stand for it.
namespace profile_reading {

constexpr std::uint32_t kMaxRatio = 200;

inline void AppendText(std::string& out, std::string_view text) {
    out += std::to_string(text.size());
    out += ':';
    out += text;
}

// pieces stands for the first element children of archive.
inline void AppendElement(std::string& out, const pugi::xml_node& element,
                          const pugi::xml_node& archive = {}, const std::string& pieces = {}) {
    const bool isArchive = element == archive;
    out += '<';
    AppendText(out, element.name());
    for (const pugi::xml_attribute& attribute : element.attributes()) {
        out += ' ';
        AppendText(out, attribute.name());
        AppendText(out, attribute.value());
    }
    out += '>';
    if (isArchive)
        out += pieces;
    else
        AppendText(out, element.value());
    for (const pugi::xml_node& child : element.children()) {
        if (child.type() == pugi::node_element) {
            AppendElement(out, child, archive, pieces);
        } else if (!isArchive) {
            out += '#';
            AppendText(out, child.value());
        }
    }
    out += '/';
}

inline std::string DocumentOutline(const pugi::xml_document& document,
                                   const std::string& pieces = {}) {
    const pugi::xml_node archive = StoredXmlRoot(document).child("User").child("Archive");
    std::string out;
    for (const pugi::xml_node& child : document.children())
        if (child.type() == pugi::node_element)
            AppendElement(out, child, archive, pieces);
    return out;
}

// None when the text does not parse.
inline std::optional<std::string> WholeOutline(const std::string& text) {
    std::vector<unsigned char> bytes(text.begin(), text.end());
    pugi::xml_document document;
    if (!ParseStoredXml(document, bytes))
        return std::nullopt;
    return DocumentOutline(document);
}

struct ReadOutcome {
    CProfileReader::Result result = CProfileReader::Result::Damaged;
    std::size_t pieces = 0;
    // The pieces read were numbered 0, 1, ... without a gap.
    bool numbered = true;
    std::optional<std::string> outline; // none when Damaged
};

// Thrown by the piece reader to stop the reading.
struct StopReading {};

// Reads the pieces (on both threads); with a limit, the piece reader throws once it has read
// that many, and with a limit of 0 the reader finishes without reading pieces.
inline ReadOutcome
ReadProfileBytes(std::vector<unsigned char> bytes, std::size_t pieceSize,
                 std::size_t maxPieces = std::numeric_limits<std::size_t>::max()) {
    ReadOutcome outcome;
    std::mutex mutex;
    std::map<std::size_t, std::string> pieces;
    CProfileReader reader(std::move(bytes), kMaxRatio, pieceSize);
    try {
        if (maxPieces > 0)
            reader.ReadArchive([&](const pugi::xml_document& piece, std::size_t number) {
                std::string outline;
                for (const pugi::xml_node& child : piece.children())
                    if (child.type() == pugi::node_element)
                        AppendElement(outline, child);
                const std::lock_guard lock(mutex);
                if (pieces.size() >= maxPieces)
                    throw StopReading();
                pieces.emplace(number, std::move(outline));
            });
    } catch (const StopReading&) {
    }
    outcome.result = reader.Finish();
    outcome.pieces = pieces.size();
    std::string archive;
    // Distinct numbers in order: without a gap when the last is the count less one.
    outcome.numbered = pieces.empty() || pieces.rbegin()->first == pieces.size() - 1;
    for (const auto& [number, outline] : pieces)
        archive += outline;
    // Split without an archive to stand for loses the pieces, and differs.
    if (outcome.result != CProfileReader::Result::Damaged)
        outcome.outline = DocumentOutline(
            reader.Document(), outcome.result == CProfileReader::Result::Split ? archive : "");
    return outcome;
}

inline ReadOutcome
ReadProfileText(const std::string& text, std::size_t pieceSize,
                std::size_t maxPieces = std::numeric_limits<std::size_t>::max()) {
    return ReadProfileBytes(PackStoredText(text, kMaxRatio), pieceSize, maxPieces);
}

} // namespace profile_reading
