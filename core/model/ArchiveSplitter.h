#pragma once

#include <cstddef>
#include <string_view>

// Finds, in the XML text of a profile that arrives a little at a time, where the children of its
// archive (the first "Archive" of the first "User" of the root "KvSmsDa") begin, and where they
// may be cut into pieces that each parse on their own.
//
// Up to the archive it follows the markup: elements, attribute values in quotes, text, and
// declarations before the root. Anything else there (a comment, a processing instruction or a
// document type after the start, text beside the root) makes it give up (NoArchive), and the
// text is parsed whole.
//
// In the archive, a cut falls just after an "</ArchiveItem>". Where that is not the end tag of a
// child of the archive (it stands in a comment, a quoted value, or deeper down), the piece
// before it is not whole on its own (it ends inside a comment, a value or an open element) and
// does not parse, and the text is parsed whole instead. So a piece that parses is a run of whole
// children of the archive.
class CArchiveSplitter {
public:
    enum class State {
        Seeking,   // the archive has not begun yet
        InArchive, // the archive's children have begun
        NoArchive, // nothing to cut: another root, no archive in the first user, or markup the
                   // splitter does not follow
    };

    // Follows the text up to available bytes: the text so far, which only ever grows.
    void Scan(const char* text, std::size_t available);

    State GetState() const { return m_state; }
    // In the archive: where its children begin, just after its start tag.
    std::size_t ChildrenBegin() const { return m_childrenBegin; }
    // In the archive: the end of the first "</ArchiveItem>" of the text so far that ends at least
    // minimum bytes after from (a cut, or the start of the children); 0 when there is none yet.
    std::size_t FindCut(const char* text, std::size_t available, std::size_t from,
                        std::size_t minimum);

private:
    static constexpr int kRootDepth = 1;
    static constexpr int kUserDepth = 2;

    // Each takes the markup at m_position ("<" and at least one more byte) and moves past it;
    // false when the markup is not whole yet or the splitter gives up.
    bool Markup(const char* text, std::size_t available);
    bool StartTag(const char* text, std::size_t available);
    bool EndTag(const char* text, std::size_t available);
    bool Declaration(const char* text, std::size_t available);
    // False, after giving up when the unfinished markup is already too long.
    bool Unfinished(std::size_t available);
    // Text up to the next markup; false when the text so far ends first.
    bool Text(const char* text, std::size_t available);

    // A start tag with the name has been passed.
    void Opened(std::string_view name, bool empty);
    // An end tag has been passed.
    void Closed();

    State m_state = State::Seeking;
    std::size_t m_position = 0;
    int m_depth = 0;
    bool m_inFirstUser = false;
    std::size_t m_childrenBegin = 0;
    // FindCut has searched the text up to here.
    std::size_t m_searched = 0;
};
