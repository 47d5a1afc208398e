#include "frontend/VCard.h"

#include "frontend/ImportText.h"
#include "model/Utilities.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cctype>

namespace {

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

std::string ToUpper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), Upper);
    return upper;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Upper(x) == Upper(y); });
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
    return ToUpper(text).find(ToUpper(part)) != std::string::npos;
}

// Where the property's value starts: the first ":" outside double quotes that no backslash
// precedes; npos for a line without one.
std::size_t ValueColon(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\')
            ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (c == ':' && !quoted)
            return i;
    }
    return std::string_view::npos;
}

std::string Unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = Upper(c);
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string DecodeBase64(const std::string& text) {
    std::string bytes(text.size(), '\0');
    std::size_t count = bytes.size();
    if (!Base64Decode(text, reinterpret_cast<unsigned char*>(bytes.data()), count))
        return {};
    bytes.resize(count);
    return bytes;
}

std::string DecodedValue(const VCardProperty& property, std::string_view raw, bool utf8ByDefault) {
    const std::string encoding = property.ParameterValue("ENCODING");
    std::string value;
    if (EqualNoCase(encoding, "QUOTED-PRINTABLE") || property.HasType("QUOTED-PRINTABLE"))
        value = DecodeQuotedPrintable(raw);
    else if (EqualNoCase(encoding, "BASE64") || EqualNoCase(encoding, "B") ||
             property.HasType("BASE64"))
        value = DecodeBase64(std::string(raw));
    else
        value = std::string(raw);
    const std::string charset = property.ParameterValue("CHARSET");
    if (EqualNoCase(charset, "UTF-8") ||
        (charset.empty() && utf8ByDefault && IsUtf8WithLetters(value)))
        value = Utf8TextToAnsi(value);
    return value;
}

// Whether the (unfolded so far) line is a quoted-printable value that a soft break continues.
bool ContinuesQuotedPrintable(const std::string& line) {
    if (line.empty() || line.back() != '=')
        return false;
    const std::size_t colon = ValueColon(line);
    return colon != std::string::npos &&
           ContainsNoCase(std::string_view(line).substr(0, colon), "QUOTED-PRINTABLE");
}

std::vector<std::string> UnfoldedLines(std::string_view card) {
    std::vector<std::string> lines;
    ImportLines physical(card);
    std::string_view line;
    bool softBreak = false;
    while (physical.Next(line)) {
        if (softBreak) {
            lines.back().pop_back();
            lines.back() += line;
        } else if (!lines.empty() && !line.empty() && (line[0] == ' ' || line[0] == '\t')) {
            lines.back() += line.substr(1);
        } else if (!TrimImportLine(line).empty()) {
            lines.emplace_back(line);
        } else {
            continue;
        }
        softBreak = ContinuesQuotedPrintable(lines.back());
    }
    return lines;
}

// Text value escapes: "\n" a line break (a blank in a name), "\," "\;" "\\" the character.
std::string Unescaped(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
            result += (text[i] == 'n' || text[i] == 'N') ? ' ' : text[i];
        } else {
            result += text[i];
        }
    }
    return result;
}

// The components of a structured value, split at ";" that no backslash precedes.
std::vector<std::string> Components(std::string_view value) {
    std::vector<std::string> components;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= value.size(); ++i) {
        if (i < value.size() && value[i] == '\\') {
            ++i;
            continue;
        }
        if (i == value.size() || value[i] == ';') {
            components.push_back(Unescaped(value.substr(start, i - start)));
            start = i + 1;
        }
    }
    return components;
}

// Trimmed on the right, double blanks reduced to one.
std::string NamePart(std::string part) {
    part.erase(part.find_last_not_of(' ') + 1);
    std::string result;
    for (char c : part)
        if (c != ' ' || result.empty() || result.back() != ' ')
            result += c;
    return result;
}

std::string NameFromN(const std::string& value) {
    const std::vector<std::string> components = Components(value);
    std::string name;
    for (std::size_t i = 0; i < 2 && i < components.size(); ++i) {
        const std::string part = NamePart(components[i]);
        if (part.empty())
            continue;
        if (!name.empty())
            name += ' ';
        name += part;
    }
    return name;
}

std::string TelNumber(const std::string& value) {
    std::string_view number = TrimImportLine(value);
    if (EqualNoCase(number.substr(0, 4), "tel:"))
        number.remove_prefix(4);
    return std::string(number);
}

// The label under which a TEL that is not the mobile number is offered; false for none.
bool CandidateLabel(const VCardProperty& tel, NumberLabel& label) {
    if (tel.HasType("WORK"))
        label = NumberLabel::Work;
    else if (tel.HasType("HOME"))
        label = NumberLabel::Home;
    else if (tel.HasType("PREF"))
        label = NumberLabel::Primary;
    else if (tel.HasNoType() || tel.HasType("VOICE"))
        label = NumberLabel::Other;
    else
        return false;
    return true;
}

} // namespace

std::string VCardProperty::ParameterValue(std::string_view parameterName) const {
    for (const Parameter& parameter : parameters)
        if (EqualNoCase(parameter.first, parameterName))
            return Unquoted(parameter.second);
    return {};
}

bool VCardProperty::HasType(std::string_view type) const {
    for (const Parameter& parameter : parameters) {
        // Version 2.1 names a type bare; version 4.0 marks the preferred one with "PREF=n".
        if (parameter.second.empty() || EqualNoCase(parameter.first, "PREF")) {
            if (EqualNoCase(parameter.first, type))
                return true;
            continue;
        }
        if (!EqualNoCase(parameter.first, "TYPE"))
            continue;
        const std::string list = Unquoted(parameter.second);
        std::size_t start = 0;
        while (start <= list.size()) {
            std::size_t end = list.find(',', start);
            if (end == std::string::npos)
                end = list.size();
            if (EqualNoCase(TrimImportLine(std::string_view(list).substr(start, end - start)),
                            type))
                return true;
            start = end + 1;
        }
    }
    return false;
}

bool VCardProperty::HasNoType() const {
    for (const Parameter& parameter : parameters)
        if (parameter.second.empty() || EqualNoCase(parameter.first, "TYPE"))
            return false;
    return true;
}

std::vector<VCardProperty::Parameter> SplitVCardParameters(std::string_view text) {
    std::vector<VCardProperty::Parameter> parameters;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == '\\') {
            ++i;
            continue;
        }
        if (i < text.size() && text[i] != ';')
            continue;
        std::string parameter;
        const std::string_view raw = text.substr(start, std::min(i, text.size()) - start);
        for (std::size_t k = 0; k < raw.size(); ++k) {
            if (raw[k] == '\\' && k + 1 < raw.size() && (raw[k + 1] == ';' || raw[k + 1] == ':'))
                ++k;
            parameter += raw[k];
        }
        start = i + 1;
        if (parameter.empty())
            continue;
        const std::size_t equals = parameter.find('=');
        if (equals == std::string::npos)
            parameters.emplace_back(parameter, std::string());
        else
            parameters.emplace_back(parameter.substr(0, equals), parameter.substr(equals + 1));
    }
    return parameters;
}

std::string DecodeQuotedPrintable(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

std::vector<VCardProperty> ReadVCardProperties(std::string_view card, bool utf8ByDefault) {
    std::vector<VCardProperty> properties;
    for (const std::string& line : UnfoldedLines(card)) {
        const std::size_t colon = ValueColon(line);
        if (colon == std::string::npos)
            continue;
        const std::string_view head = std::string_view(line).substr(0, colon);
        std::size_t semicolon = head.find(';');
        if (semicolon == std::string_view::npos)
            semicolon = head.size();
        std::string_view name = head.substr(0, semicolon);
        if (const std::size_t dot = name.find('.'); dot != std::string_view::npos)
            name.remove_prefix(dot + 1);
        VCardProperty property;
        property.name = ToUpper(TrimImportLine(name));
        if (semicolon < head.size())
            property.parameters = SplitVCardParameters(head.substr(semicolon + 1));
        property.value =
            DecodedValue(property, std::string_view(line).substr(colon + 1), utf8ByDefault);
        properties.push_back(std::move(property));
    }
    return properties;
}

std::string VCardValue(const std::vector<VCardProperty>& properties, std::string_view name) {
    for (const VCardProperty& property : properties)
        if (property.name == name)
            return property.value;
    return {};
}

ImportRecord VCardRecord(const std::vector<VCardProperty>& properties) {
    ImportRecord record;
    record.name = NamePart(std::string(TrimImportLine(Unescaped(VCardValue(properties, "FN")))));
    if (record.name.empty())
        record.name = NameFromN(VCardValue(properties, "N"));
    for (const VCardProperty& property : properties) {
        if (property.name != "TEL")
            continue;
        const std::string number = TelNumber(property.value);
        if (number.empty())
            continue;
        NumberLabel label;
        if (property.HasType("CELL") && record.phone1.empty())
            record.phone1 = number;
        else if (!property.HasType("CELL") && CandidateLabel(property, label))
            record.candidates.push_back({label, number});
    }
    return record;
}
