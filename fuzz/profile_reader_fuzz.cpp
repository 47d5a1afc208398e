// The profile reader on any text: packed into a container and read while it inflates, with the
// archive cut into pieces, the text must give what parsing it whole gives: damaged alike, and
// otherwise the same elements, the pieces' archive children first (see ProfileReading.h).
//
// The first byte chooses how the text is read: its value modulo 4 the size of the pieces (1, 16,
// 64 or 512 bytes), and its value divided by 4, modulo 4, how many pieces are read: all of them,
// none, or 1 or 3 before the piece reader throws. The seeds begin with a digit: all pieces, of
// the size the digit chooses.
#include "ProfileReading.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace {

using namespace profile_reading;
using Result = CProfileReader::Result;

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static constexpr std::size_t kPieceSizes[] = {1, 16, 64, 512};
    const std::size_t pieceSize = kPieceSizes[data[0] % 4];
    static constexpr std::size_t kTaken[] = {std::numeric_limits<std::size_t>::max(), 0, 1, 3};
    const std::size_t maxPieces = kTaken[data[0] / 4 % 4];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const ReadOutcome read = ReadProfileText(text, pieceSize, maxPieces);
    const std::optional<std::string> whole = WholeOutline(text);
    Check(read.pieces <= maxPieces);
    Check((read.result == Result::Damaged) == !whole.has_value());
    Check(read.outline == whole);
    // A text of one piece or less is read whole, without pieces.
    if (text.size() <= pieceSize)
        Check(read.pieces == 0 && read.result != Result::Split);
    // Pieces only come from an archive, and only count when every piece was read.
    if (read.result == Result::Split)
        Check(read.pieces > 0 && read.numbered);
    return 0;
}
