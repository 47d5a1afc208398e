#include "SoapRequest.h"

#include "RequestError.h"
#include "WireText.h"

#include <string>

void SoapRequest::SetField(std::string_view name, RequestField field) {
    m_fields.insert_or_assign(std::string(name), std::move(field));
}

const RequestField* SoapRequest::Find(std::string_view field) const {
    const auto found = m_fields.find(field);
    return found == m_fields.end() ? nullptr : &found->second;
}

bool SoapRequest::Has(std::string_view field) const {
    return Find(field) != nullptr;
}

const std::string& SoapRequest::Text(std::string_view field) const {
    static const std::string empty;
    const RequestField* found = Find(field);
    return found ? found->text : empty;
}

std::int64_t SoapRequest::Number(std::string_view field) const {
    const RequestField* found = Find(field);
    return found ? std::stoll(found->text) : 0;
}

const std::vector<std::string>& SoapRequest::Items(std::string_view field) const {
    static const std::vector<std::string> none;
    const RequestField* found = Find(field);
    return found ? found->items : none;
}

std::optional<std::string> SoapRequest::Attribute(std::string_view field,
                                                  std::string_view name) const {
    if (const RequestField* found = Find(field)) {
        for (const auto& [attribute, value] : found->attributes) {
            if (attribute == name)
                return value;
        }
    }
    return std::nullopt;
}

std::optional<std::int64_t> SoapRequest::AttributeNumber(std::string_view field,
                                                         std::string_view name) const {
    const std::optional<std::string> value = Attribute(field, name);
    return value ? std::optional<std::int64_t>(std::stoll(*value)) : std::nullopt;
}

bool SoapRequest::Flag(std::string_view field, std::string_view name) const {
    return Attribute(field, name) == "true";
}

std::string SoapRequest::EscapedText(std::string_view field) const {
    std::optional<std::string> decoded = DecodeAmpChars(Text(field));
    if (!decoded)
        throw RequestError("element " + std::string(field) +
                           " is not escaped for the service (a tab, line end, '&', '<' or '>' "
                           "without '=' after it, or a bare '%' or '+')");
    return *decoded;
}
