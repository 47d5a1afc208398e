#pragma once

#include "platform/CodePage.h" // IsValidUtf8

#include <pugixml.hpp>

#include <string>

// Texts in the stored XML files. Every text is written as UTF-8 (the documents declare UTF-8);
// on reading, a text that is valid UTF-8 is converted to ANSI, and any other text is taken as
// ANSI bytes as they stand (files written by earlier versions kept ANSI bytes unconverted).
std::string XmlTextToAnsi(const char* text);
std::string AnsiToXmlText(const std::string& ansi);

// Shorthands for the common cases: the text of an element or attribute, in ANSI.
std::string XmlChildText(const pugi::xml_node& node, const char* childName);
std::string XmlAttributeText(const pugi::xml_node& node, const char* attributeName);
