// Feeds arbitrary formats, as a language library may give them, to the formatter of texts and
// to the check of translations.
#include "model/FormatText.h"
#include "model/StringTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string format(reinterpret_cast<const char*>(data), size);
    const std::string text = FormatText(format, {42, 1.5, "name", -7LL, "E26"});
    // Only the five arguments add to the text, each at most a three-digit width or precision
    // (and a real number's digits) long.
    if (text.size() > format.size() + 5 * 1400)
        std::abort();
    const std::string conversions = FormatConversions(format);
    if (conversions.find_first_not_of("ifs?") != std::string::npos)
        std::abort();
    StringTable table{{1, "Chyba \"%s\". %s"}};
    table.Translate({{1, format}});
    if (table.GetUtf8(1) != format && table.GetUtf8(1) != "Chyba \"%s\". %s")
        std::abort();
    return 0;
}
