// Feeds arbitrary bytes, parsed as XML, to the readers of the message archive and of the recipient
// history, writes what they made and reads that back.
#include "WrittenXml.h"
#include "model/SmsArchive.h"
#include "model/StoredXml.h"

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Exercise(const CSmsArchive& archive) {
    for (int i = 0; i < archive.GetItemCount(); ++i) {
        const CSmsArchiveItem* item = archive.GetItem(i);
        if (item->GetRecipientCount() < 1)
            std::abort();
        item->GetSentTimeAsString();
        item->GetStatus();
        item->IsGroup();
        item->HasDeliveryReport();
        item->GetMaxDeliveryTime();
        item->GetLatestQueryTime();
        item->GetLastSchedule(item->GetSentTime());
        item->GetRecipient(0)->GetDeliveryTimeAsString();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pugi::xml_document document;
    document.load_buffer(data, size);
    const pugi::xml_node root = document.first_child();

    CSmsArchive archive;
    archive.ReadXML(root);
    Exercise(archive);
    SmsHistoryList history;
    CSmsArchive::ReadHistoryXML(history, root);
    archive.Archive2History(history, CSmsArchive::MaxHistoryItems);
    if (history.size() > CSmsArchive::MaxHistoryItems)
        std::abort();

    const std::string text = WrittenXml([&](CXmlWriter& writer) {
        writer.Open("User");
        writer.Open("Archive");
        archive.WriteXML(writer);
        writer.Close();
        writer.Open("History");
        CSmsArchive::WriteHistoryXML(history, writer);
        writer.Close();
        writer.Close();
    });
    pugi::xml_document written;
    if (!written.load_string(text.c_str(), kStoredXmlParseFlags))
        std::abort();

    CSmsArchive again;
    again.ReadXML(written.child("User").child("Archive"));
    SmsHistoryList historyAgain;
    CSmsArchive::ReadHistoryXML(historyAgain, written.child("User").child("History"));
    if (again.GetItemCount() != archive.GetItemCount() || historyAgain.size() > history.size())
        std::abort();
    return 0;
}
