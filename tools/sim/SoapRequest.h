#pragma once

#include "OperationSchema.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// One child of a request element, its texts already decoded for the operation's string mode.
struct RequestField {
    std::string text;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<std::string> items;
};

// A request that passed the reader's checks: every number and boolean in it is well-formed,
// so the getters only convert.
class SoapRequest {
public:
    explicit SoapRequest(const OperationLayout& layout) : m_layout(&layout) {}

    const OperationLayout& Layout() const { return *m_layout; }
    std::string_view Operation() const { return m_layout->name; }

    void SetField(std::string_view name, RequestField field);

    bool Has(std::string_view field) const;
    // Empty or 0 when the field is absent.
    const std::string& Text(std::string_view field) const;
    std::int64_t Number(std::string_view field) const;
    const std::vector<std::string>& Items(std::string_view field) const;
    std::optional<std::string> Attribute(std::string_view field, std::string_view name) const;
    std::optional<std::int64_t> AttributeNumber(std::string_view field,
                                                std::string_view name) const;
    bool Flag(std::string_view field, std::string_view name) const;

    // A text that the client escaped for the service (tabs, line ends, "&", "<", ">" followed
    // by "=", "%" and "+" as "%25" and "%2B"), unescaped. Throws RequestError when the text
    // was not escaped that way.
    std::string EscapedText(std::string_view field) const;

private:
    const RequestField* Find(std::string_view field) const;

    const OperationLayout* m_layout;
    std::map<std::string, RequestField, std::less<>> m_fields;
};
