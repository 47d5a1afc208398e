#include "StoredXml.h"

#include <string_view>

namespace {

constexpr const char* kRootName = "KvSmsDa";

class CSinkWriter : public pugi::xml_writer {
public:
    explicit CSinkWriter(const TextSink& sink) : m_sink(sink) {}
    void write(const void* data, std::size_t size) override {
        m_sink(static_cast<const char*>(data), size);
    }

private:
    const TextSink& m_sink;
};

} // namespace

bool ParseStoredXml(pugi::xml_document& document, std::vector<unsigned char>& text) {
    return document.load_buffer_inplace(text.data(), text.size(), kStoredXmlParseFlags,
                                        pugi::encoding_utf8);
}

pugi::xml_node NewStoredXml(pugi::xml_document& document) {
    document.reset();
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    return document.append_child(kRootName);
}

pugi::xml_node StoredXmlRoot(const pugi::xml_document& document) {
    const pugi::xml_node root = document.document_element();
    return std::string_view(root.name()) == kRootName ? root : pugi::xml_node();
}

bool WriteStoredXml(const std::string& path, const pugi::xml_document& document,
                    StoredFileStamp* stamp) {
    const auto serialise = [&](const TextSink& sink) {
        CSinkWriter writer(sink);
        document.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    };
    return WriteStoredFile(path, serialise, stamp);
}
