#pragma once

#include "QuillonCoreExport.h"
#include "frontend/ImportRecord.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One property of a vCard: its name in upper case (without a group prefix such as "item1."),
// its parameters and its value, decoded and in the ANSI code page.
struct QUILLON_CORE_EXPORT VCardProperty {
    using Parameter = std::pair<std::string, std::string>;

    std::string name;
    std::vector<Parameter> parameters;
    std::string value;

    // The value of the parameter of that name (compared without regard to case), or empty.
    std::string ParameterValue(std::string_view parameterName) const;
    // True when the type is among the property's types: "TYPE=" values (comma lists too) and
    // parameters without a value, as version 2.1 writes them; compared without regard to case.
    bool HasType(std::string_view type) const;
    // True when the property has no type at all.
    bool HasNoType() const;
};

// The parameters of a property (the text between its name and the ":" of its value), split at
// ";" that no backslash precedes; in each, "\;" becomes ";" and "\:" becomes ":", and the first
// "=" divides the name from the value (no "=": a name with an empty value).
QUILLON_CORE_EXPORT std::vector<VCardProperty::Parameter>
SplitVCardParameters(std::string_view text);

// Quoted-printable text decoded ("=XX" bytes; a "=" that starts no valid pair stays).
QUILLON_CORE_EXPORT std::string DecodeQuotedPrintable(std::string_view text);

// The properties of the text of one vCard (what lies between "BEGIN:VCARD" and "END:VCARD").
// Lines folded with a leading blank or tab are joined, and so are quoted-printable values
// continued after a soft line break ("=" at the line end). Values are decoded by their
// "ENCODING" (QUOTED-PRINTABLE, BASE64 or B) and converted from UTF-8 when "CHARSET" says so; with
// utf8ByDefault also when no charset is named and the value is valid UTF-8.
QUILLON_CORE_EXPORT std::vector<VCardProperty> ReadVCardProperties(std::string_view card,
                                                                   bool utf8ByDefault);

// The value of the first property of that name, or empty.
QUILLON_CORE_EXPORT std::string VCardValue(const std::vector<VCardProperty>& properties,
                                           std::string_view name);

// The contact of a vCard: the name from "FN", else from "N" (family and given name); the mobile
// number from the first "TEL" of type "CELL"; the other numbers as candidates. An empty name
// means the vCard holds no contact.
QUILLON_CORE_EXPORT ImportRecord VCardRecord(const std::vector<VCardProperty>& properties);
