#include "frontend/SmsAutoComplete.h"

#include "frontend/IAutoCompleteFactory.h"
#include "model/SmsAddressBook.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <limits>

namespace {

std::u16string AnsiToUtf16(const std::string& ansi) {
    std::u16string text;
    text.reserve(ansi.size());
    for (const wchar_t c : AnsiToWide(ansi)) {
        const auto code = static_cast<char32_t>(c);
        if (code < 0x10000) {
            text.push_back(static_cast<char16_t>(code));
        } else {
            text.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
    }
    return text;
}

} // namespace

CSmsAutoComplete::~CSmsAutoComplete() {
    m_autoComplete.reset();
}

bool CSmsAutoComplete::Bind(IAutoCompleteFactory& factory, std::uint32_t options) {
    if (m_bound || m_autoComplete)
        return false;
    auto object = factory.Create();
    if (!object)
        return false;
    if (options != 0)
        object->SetOptions(options);
    // An object that failed to initialise is of no use and would block every later Bind.
    if (!object->Init(*this))
        return false;
    object->Enable(true);
    m_autoComplete = std::move(object);
    m_bound = true;
    return true;
}

void CSmsAutoComplete::Unbind() {
    if (!m_bound)
        return;
    ResetContent();
    m_autoComplete->SetOptions(0);
    m_autoComplete->Enable(false);
    m_autoComplete.reset();
    m_bound = false;
}

void CSmsAutoComplete::AddAddressBookItems(const CSmsAddressBook& book) {
    for (int i = 0; i < book.GetItemCount(); ++i)
        InsertString(book.GetItem(i)->GetName());
    for (int i = 0; i < book.GetGroupCount(); ++i)
        InsertString(book.GetGroup(i)->GetName());
}

void CSmsAutoComplete::AddHistoryItems(const SmsHistoryList& history) {
    for (const auto& item : history)
        InsertString(item->GetText());
}

bool CSmsAutoComplete::InsertString(const std::string& text) {
    if (!m_present.insert(text).second)
        return false;
    m_strings.push_back(text);
    Changed();
    return true;
}

void CSmsAutoComplete::ResetContent() {
    m_strings.clear();
    m_present.clear();
    Changed();
}

EnumResult CSmsAutoComplete::QueryInterface(EnumInterface id, IStringEnumerator** out) {
    if (!out)
        return EnumResult::Pointer;
    if (id == EnumInterface::Other) {
        *out = nullptr;
        return EnumResult::NoInterface;
    }
    *out = this;
    AddRef();
    return EnumResult::Ok;
}

std::uint32_t CSmsAutoComplete::AddRef() {
    return ++m_refCount;
}

std::uint32_t CSmsAutoComplete::Release() {
    return --m_refCount;
}

EnumResult CSmsAutoComplete::Next(std::uint32_t count, std::vector<std::u16string>& strings,
                                  std::uint32_t* fetched) {
    const std::uint32_t wanted = std::max<std::uint32_t>(count, 1);
    const std::size_t size = m_strings.size();
    const std::size_t left = m_cursor < size ? size - m_cursor : 0;
    const auto handed = static_cast<std::uint32_t>(std::min<std::size_t>(wanted, left));
    strings.clear();
    strings.reserve(handed);
    const CCodePageScope codePage;
    for (std::uint32_t i = 0; i < handed; ++i)
        strings.push_back(AnsiToUtf16(m_strings[m_cursor + i]));
    m_cursor += handed;
    if (fetched)
        *fetched = handed;
    return handed == wanted ? EnumResult::Ok : EnumResult::False;
}

EnumResult CSmsAutoComplete::Skip(std::uint32_t count) {
    const std::uint64_t cursor = std::uint64_t{m_cursor} + count;
    m_cursor = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(cursor, std::numeric_limits<std::uint32_t>::max()));
    return m_cursor >= m_strings.size() ? EnumResult::False : EnumResult::Ok;
}

EnumResult CSmsAutoComplete::Reset() {
    m_cursor = 0;
    return EnumResult::Ok;
}

EnumResult CSmsAutoComplete::Clone(std::unique_ptr<IStringEnumerator>* out) {
    if (!out)
        return EnumResult::Pointer;
    auto clone = std::make_unique<CSmsAutoComplete>();
    clone->m_strings = m_strings;
    clone->m_present = m_present;
    clone->m_cursor = m_cursor;
    clone->m_refCount = 1;
    *out = std::move(clone);
    return EnumResult::Ok;
}

void CSmsAutoComplete::Changed() {
    if (m_autoComplete)
        m_autoComplete->StringsChanged();
}
