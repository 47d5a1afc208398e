#pragma once

#include "QuillonCoreExport.h"

#include "frontend/IAutoCompleteObject.h"
#include "frontend/IStringEnumerator.h"
#include "model/SmsHistoryItem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class CSmsAddressBook;
class IAutoCompleteFactory;

// The strings that auto-completion offers while the user types a recipient: contact and group
// names and the recipient history, in insertion order, each (exact, case-sensitive) once. It is
// the string enumerator of the system's auto-completion object of one edit field, which Bind
// attaches. Its owner (a page or dialog member) decides its lifetime: Release never deletes it.
class QUILLON_CORE_EXPORT CSmsAutoComplete : public IStringEnumerator {
public:
    // Option bits of Bind.
    static constexpr std::uint32_t AutoSuggest = 1; // a list of the strings that fit
    static constexpr std::uint32_t AutoAppend = 2;  // the rest of the first one typed in

    CSmsAutoComplete() = default;
    CSmsAutoComplete(const CSmsAutoComplete&) = delete;
    CSmsAutoComplete& operator=(const CSmsAutoComplete&) = delete;
    // Releases the auto-completion object if there is one.
    ~CSmsAutoComplete() override;

    // False when already bound, when an object exists, or when the factory cannot make one or
    // it cannot be initialised. Options are set only when not 0.
    bool Bind(IAutoCompleteFactory& factory, std::uint32_t options);
    // When bound: empties the strings, sets the options back to 0, disables and releases the
    // object.
    void Unbind();
    bool IsBound() const { return m_bound; }

    // Every contact name in book order, then every group name.
    void AddAddressBookItems(const CSmsAddressBook& book);
    // The text of every entry in list order.
    void AddHistoryItems(const SmsHistoryList& history);
    // False when the identical string is already there.
    bool InsertString(const std::string& text);
    // Empties the strings; the cursor stays where it is.
    void ResetContent();

    const std::vector<std::string>& GetStrings() const { return m_strings; }
    std::uint32_t GetCursor() const { return m_cursor; }
    std::uint32_t GetRefCount() const { return m_refCount; }

    EnumResult QueryInterface(EnumInterface id, IStringEnumerator** out) override;
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;
    // Hands out max(count, 1) strings from the cursor, or as many as are left, converted from
    // the ANSI code page. Ok when it handed out that many, else False.
    EnumResult Next(std::uint32_t count, std::vector<std::u16string>& strings,
                    std::uint32_t* fetched) override;
    // False when the cursor has reached or passed the end; it never wraps round.
    EnumResult Skip(std::uint32_t count) override;
    EnumResult Reset() override;
    // The clone has the same strings and cursor, one reference, and no binding.
    EnumResult Clone(std::unique_ptr<IStringEnumerator>* out) override;

private:
    void Changed();

    std::uint32_t m_refCount = 0;
    std::uint32_t m_cursor = 0;
    std::vector<std::string> m_strings;
    // The same strings, so that filling from a large address book stays linear.
    std::unordered_set<std::string> m_present;
    std::unique_ptr<IAutoCompleteObject> m_autoComplete;
    bool m_bound = false;
};
