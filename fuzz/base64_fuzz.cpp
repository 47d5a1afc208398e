// Feeds arbitrary bytes to the decoders of stored data: Base64, the stored password and the
// compressed container body.
#include "model/Utilities.h"
#include "model/UtilitiesInternal.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    std::vector<unsigned char> decoded(size);
    std::size_t count = decoded.size();
    if (Base64Decode(text, decoded.data(), count)) {
        if (count > decoded.size())
            std::abort();
        // Whatever decodes must encode back to the same bytes.
        std::vector<unsigned char> again(count);
        std::size_t againCount = count;
        if (!Base64Decode(Base64Encode(decoded.data(), count), again.data(), againCount) ||
            againCount != count || !std::equal(again.begin(), again.end(), decoded.begin()))
            std::abort();
    }

    DecipherBase64Text(text);

    // The first byte chooses the expected length, as a stored file's length field would.
    std::vector<unsigned char> out;
    std::size_t expected = size > 0 ? std::size_t{data[0]} << 8 : 0;
    if (DecompressBuffer(data, size, out, expected) && out.size() != expected)
        std::abort();
    return 0;
}
