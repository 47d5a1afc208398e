#include "StoredXml.h"

#include "platform/CodePage.h"

#include <string_view>

namespace {

constexpr const char* kRootName = "KvSmsDa";

// The whole text is written in one code page, looked up once.
void WriteStoredXmlText(const StoredXmlContent& content, const TextSink& sink) {
    const CCodePageScope codePage;
    CXmlWriter writer(sink);
    writer.Declaration();
    writer.Open(kRootName);
    content(writer);
    writer.Close();
    writer.Flush();
}

} // namespace

bool ParseStoredXml(pugi::xml_document& document, std::vector<unsigned char>& text) {
    return document.load_buffer_inplace(text.data(), text.size(), kStoredXmlParseFlags,
                                        pugi::encoding_utf8);
}

pugi::xml_node StoredXmlRoot(const pugi::xml_document& document) {
    const pugi::xml_node root = document.document_element();
    return std::string_view(root.name()) == kRootName ? root : pugi::xml_node();
}

SaveError WriteStoredXml(const std::string& path, const StoredXmlContent& content,
                         std::uint32_t maxRatio, StoredFileVersion* written) {
    return WriteStoredFile(
        path, [&](const TextSink& sink) { WriteStoredXmlText(content, sink); }, maxRatio, written);
}
