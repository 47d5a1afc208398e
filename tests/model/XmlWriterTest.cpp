#include "model/XmlWriter.h"
#include "../platform/ScopedEnv.h"
#include "TextBytes.h"
#include "WrittenXml.h"
#include "model/XmlText.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

// The writer against pugixml's raw serialisation of the same document, the form the stored
// files have always had.

namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

// Texts that need escaping, converting or cutting, each alone and all together.
std::vector<std::string> HostileTexts() {
    const std::string everyByte = EveryByte();
    std::vector<std::string> texts = {
        everyByte,
        "",
        " ",
        "  blanks around  ",
        "& < > \" ' ]]>",
        "&amp; &#65;",
        std::string("cut\0here", 8),
        std::string("\xE8\0\xE8", 3),
        "a\xEC", // a letter and a combining mark in code page 1258
        Repeated(everyByte + " plain text & <more>", 300),
        Repeated("\xE8", 30000),
    };
    for (int byte = 1; byte < 256; ++byte)
        texts.emplace_back(1, static_cast<char>(byte));
    return texts;
}

// The text as an attribute, as the content of an element with attributes and alone; an empty
// element and numbers.
std::string Written(const std::string& ansi) {
    return WrittenXml([&](CXmlWriter& writer) {
        writer.Declaration();
        writer.Open("Root");
        writer.Open("Item");
        writer.Attribute("Text", ansi);
        writer.Attribute("Number", kMin);
        writer.Text(ansi);
        writer.Close();
        writer.Element("Text", ansi);
        writer.Open("Empty");
        writer.Close();
        writer.Element("Number", kMax);
        writer.Open("Parent");
        writer.Element("Number", 0);
        writer.Close();
        writer.Close();
    });
}

// The same document built as the stored files were before the writer: converted texts handed
// over as C strings.
std::string SerialisedByPugixml(const std::string& ansi) {
    const std::string utf8 = AnsiToXmlText(ansi);
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node root = document.append_child("Root");
    pugi::xml_node item = root.append_child("Item");
    item.text().set(utf8.c_str());
    item.append_attribute("Text").set_value(utf8.c_str());
    item.append_attribute("Number").set_value(static_cast<long long>(kMin));
    root.append_child("Text").text().set(utf8.c_str());
    root.append_child("Empty");
    root.append_child("Number").text().set(static_cast<long long>(kMax));
    root.append_child("Parent").append_child("Number").text().set(0);
    std::ostringstream out;
    document.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    return out.str();
}

} // namespace

TEST(XmlWriter, WritesTheBytesOfPugixmlsRawSerialisation) {
    // 1258 joins a letter and a following mark into one character.
    for (const char* codePage : {"1250", "1252", "1258"}) {
        ScopedEnv ansi("QUILLON_ANSI_CODEPAGE", codePage);
        for (const std::string& text : HostileTexts())
            ASSERT_EQ(Written(text), SerialisedByPugixml(text))
                << "code page " << codePage << ", text of " << text.size() << " bytes from "
                << static_cast<int>(static_cast<unsigned char>(text.empty() ? 0 : text[0]));
    }
}

TEST(XmlWriter, EscapesAsTheStoredFilesDo) {
    ScopedEnv ansi("QUILLON_ANSI_CODEPAGE", "1250");
    const std::string text = "a&b<c>d\"e'f\tg\nh\ri\x01j\x1F\x7F\xE8";
    const std::string written = WrittenXml([&](CXmlWriter& writer) {
        writer.Open("E");
        writer.Attribute("A", text);
        writer.Text(text);
        writer.Close();
    });
    EXPECT_EQ(written, "<E A=\"a&amp;b&lt;c>d&quot;e'f&#09;g&#10;h&#13;i&#01;j&#31;\x7F\xC4\x8D\">"
                       "a&amp;b&lt;c&gt;d\"e'f\tg\nh\ri&#01;j&#31;\x7F\xC4\x8D</E>");
}

TEST(XmlWriter, HandsOverFullPiecesAndTheRestAtFlush) {
    ScopedEnv ansi("QUILLON_ANSI_CODEPAGE", "1250");
    std::vector<std::size_t> pieces;
    std::string text;
    CXmlWriter writer([&](const char* data, std::size_t count) {
        pieces.push_back(count);
        text.append(data, count);
    });
    writer.Open("Root");
    writer.Element("Small", "text");
    EXPECT_TRUE(pieces.empty());

    // Longer than the buffer, and growing several times over when escaped or converted.
    const std::string ascii = Repeated("&<>", 100000);
    const std::string accented = Repeated("\xE8\x01", 100000);
    for (const std::string* long_text : {&ascii, &accented}) {
        writer.Element("Long", *long_text);
        writer.Open("Long");
        writer.Attribute("A", *long_text);
        writer.Close();
    }
    writer.Close();
    writer.Flush();
    writer.Flush();

    for (std::size_t piece : pieces) {
        EXPECT_GT(piece, 0u);
        EXPECT_LE(piece, CXmlWriter::kBufferSize);
    }
    EXPECT_GT(pieces.size(), 10u);
    const std::string expected = "<Root><Small>text</Small><Long>" +
                                 Repeated("&amp;&lt;&gt;", 100000) + "</Long><Long A=\"" +
                                 Repeated("&amp;&lt;>", 100000) + "\"/><Long>" +
                                 Repeated("\xC4\x8D&#01;", 100000) + "</Long><Long A=\"" +
                                 Repeated("\xC4\x8D&#01;", 100000) + "\"/></Root>";
    EXPECT_EQ(text, expected);
}
