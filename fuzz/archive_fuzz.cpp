// Feeds arbitrary bytes, parsed as XML, to the readers of the message archive and of the recipient
// history, writes what they made and reads that back.
#include "model/SmsArchive.h"

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

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

    pugi::xml_document written;
    pugi::xml_node archiveElement = written.append_child("Archive");
    archive.WriteXML(archiveElement);
    pugi::xml_node historyElement = written.append_child("History");
    CSmsArchive::WriteHistoryXML(history, historyElement);

    CSmsArchive again;
    again.ReadXML(archiveElement);
    SmsHistoryList historyAgain;
    CSmsArchive::ReadHistoryXML(historyAgain, historyElement);
    if (again.GetItemCount() != archive.GetItemCount() || historyAgain.size() > history.size())
        std::abort();
    return 0;
}
