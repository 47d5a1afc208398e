#include "controls/CompletionStrings.h"

#include "frontend/IStringEnumerator.h"

#include <string>
#include <vector>

namespace {

// Strings asked for in one call of Next.
constexpr std::uint32_t kBatch = 256;

} // namespace

void CompletionStrings::Read(IStringEnumerator& source) {
    m_strings.clear();
    source.Reset();
    std::vector<std::u16string> batch;
    std::uint32_t fetched = 0;
    EnumResult result = EnumResult::Ok;
    do {
        fetched = 0;
        result = source.Next(kBatch, batch, &fetched);
        for (std::uint32_t i = 0; i < fetched && i < batch.size(); ++i)
            m_strings.append(QString::fromStdU16String(batch[i]));
        // An enumerator that says Ok without handing out anything would never end.
    } while (result == EnumResult::Ok && fetched > 0);
}

QStringList CompletionStrings::Matches(const QString& typed) const {
    QStringList matches;
    if (typed.isEmpty())
        return matches;
    for (const QString& text : m_strings) {
        if (text.startsWith(typed, Qt::CaseInsensitive))
            matches.append(text);
    }
    return matches;
}
