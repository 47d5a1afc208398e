#pragma once

#include "StoredFile.h"
#include "XmlWriter.h"

#include <pugixml.hpp>

#include <functional>
#include <string>
#include <vector>

// The XML documents of the profile and settings files.

// Texts read back byte for byte as they were written: no end-of-line or attribute whitespace
// normalisation, and an element text of blanks alone is kept. The text of an element is kept in
// the element itself (text() reads it as before), which halves the nodes of a large profile.
constexpr unsigned int kStoredXmlParseFlags =
    (pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata) &
    ~(pugi::parse_eol | pugi::parse_wconv_attribute);

// Parses the text in place, so the text must outlive the document. The bytes are taken as UTF-8
// whatever a declaration says: the ANSI bytes of older files reach the readers unchanged.
bool ParseStoredXml(pugi::xml_document& document, std::vector<unsigned char>& text);

// The root "KvSmsDa" of a parsed document; a null node when the document has another root.
pugi::xml_node StoredXmlRoot(const pugi::xml_document& document);

// Writes the content of the root element through a writer.
using StoredXmlContent = std::function<void(CXmlWriter& writer)>;

// Writes the UTF-8 declaration and the root "KvSmsDa" holding the content into the stored file
// at the path, for reading with maxRatio (see WriteStoredFile), compressing the text as it is
// written.
SaveError WriteStoredXml(const std::string& path, const StoredXmlContent& content,
                         std::uint32_t maxRatio, StoredFileVersion* written = nullptr);
