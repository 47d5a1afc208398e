// Feeds arbitrary bytes to the command-line client's decoder of outside text, in the character
// sets of the locales it meets and both ANSI code pages: it refuses or gives valid UTF-8, and the
// ANSI text it gives holds exactly the decoded characters.
#include "ExitCode.h"
#include "InputDecoder.h"

#include "model/Utilities.h"
#include "platform/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Nothing when the decoder refuses the text.
template <typename Decode> void ExpectUtf8OrRefusal(Decode decode) {
    try {
        if (!IsValidUtf8(decode()))
            std::abort();
    } catch (const CliError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const char* const kCharsets[] = {"UTF-8", "CP1250", "ISO-8859-2", "CP1252"};
    const InputDecoder decoder(kCharsets[data[0] % 4]);
    const CCodePageScope codePage((data[0] & 4) != 0 ? 1250 : 1252);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    ExpectUtf8OrRefusal([&] { return decoder.ToUtf8(text, "text"); });
    ExpectUtf8OrRefusal([&] { return decoder.FileToUtf8(text, "file"); });
    try {
        const std::string ansi = decoder.ToAnsi(text, "text");
        if (AnsiToUtf8(ansi) != decoder.ToUtf8(text, "text"))
            std::abort();
    } catch (const CliError&) {
    }
    return 0;
}
