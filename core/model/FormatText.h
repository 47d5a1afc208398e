#pragma once

#include "QuillonCoreExport.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// One argument of FormatText: a whole number, a real number or a text.
class QUILLON_CORE_EXPORT TextArg {
public:
    enum class Kind { Integer, Real, Text };

    TextArg(int value) : m_kind(Kind::Integer), m_integer(value) {}
    TextArg(unsigned value) : m_kind(Kind::Integer), m_integer(value) {}
    TextArg(long value) : m_kind(Kind::Integer), m_integer(value) {}
    TextArg(long long value) : m_kind(Kind::Integer), m_integer(value) {}
    TextArg(double value) : m_kind(Kind::Real), m_real(value) {}
    TextArg(const char* value) : m_kind(Kind::Text), m_text(value ? value : "") {}
    TextArg(const std::string& value) : m_kind(Kind::Text), m_text(value) {}

    Kind GetKind() const { return m_kind; }
    long long GetInteger() const { return m_integer; }
    double GetReal() const { return m_kind == Kind::Integer ? double(m_integer) : m_real; }
    std::string_view GetText() const { return m_text; }

private:
    Kind m_kind;
    long long m_integer = 0;
    double m_real = 0;
    std::string_view m_text;
};

// printf-style formatting of a text that may come from a language library, so it never trusts
// the format: the conversions d i u x X o, f F e E g G and s (with flags, a width and a precision
// of up to three digits) take the arguments in order, "%%" gives "%", and a conversion that is
// unknown, lacks its argument or gets one of another kind is copied as it is. Texts given as
// arguments are never read as formats.
QUILLON_CORE_EXPORT std::string FormatText(std::string_view format,
                                           std::initializer_list<TextArg> args);

// The arguments a format takes, one letter each in order: 'i' whole number, 'f' real number,
// 's' text, '?' a conversion FormatText does not know. "%d bodov, doplatok %.2f %s" gives "ifs".
QUILLON_CORE_EXPORT std::string FormatConversions(std::string_view format);
