#include "model/XmlText.h"
#include "../platform/ScopedEnv.h"

#include <gtest/gtest.h>

TEST(XmlText, RecognisesWellFormedUtf8Only) {
    for (const char* valid : {"", "plain", "\xC5\xBDlu\xC5\xA5", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                              "\xF4\x8F\xBF\xBF", "\xED\x9F\xBF"})
        EXPECT_TRUE(IsValidUtf8(valid)) << valid;
    for (const char* invalid : {"\x80", "a\xC5", "\xE2\x82", "\xC0\x80", "\xE0\x80\x80",
                                "\xF0\x80\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                "\xF8\x88\x80\x80\x80", "\xFF", "\xC5\x41", "\x8Elu\x9D"})
        EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
}

TEST(XmlText, ReadsUtf8AndKeepsTheAnsiBytesOfOlderFiles) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    EXPECT_EQ(XmlTextToAnsi("\xC5\xBDlu\xC5\xA5"), "\x8Elu\x9D");
    EXPECT_EQ(XmlTextToAnsi("\x8Elu\x9D"), "\x8Elu\x9D");
    EXPECT_EQ(XmlTextToAnsi(nullptr), "");
    EXPECT_EQ(AnsiToXmlText("\x8Elu\x9D"), "\xC5\xBDlu\xC5\xA5");

    pugi::xml_document document;
    pugi::xml_node item = document.append_child("item");
    item.append_attribute("name").set_value(AnsiToXmlText("K\xF9\xF2").c_str());
    item.append_child("text").text().set(AnsiToXmlText("\x8Elu\x9D").c_str());
    EXPECT_EQ(XmlAttributeText(item, "name"), "K\xF9\xF2");
    EXPECT_EQ(XmlChildText(item, "text"), "\x8Elu\x9D");
    EXPECT_EQ(XmlChildText(item, "missing"), "");
    EXPECT_EQ(XmlAttributeText(item, "missing"), "");
}
