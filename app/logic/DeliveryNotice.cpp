#include "logic/DeliveryNotice.h"

#include "logic/ProgramStrings.h"
#include "model/FormatText.h"

namespace {

// The line of one final state: its first form's id, then the two further forms; none when
// the count is 0.
void AddLine(std::string& body, int firstFormId, int count) {
    if (count <= 0)
        return;
    const int id = firstFormId + SlovakCountForm(count);
    const std::string_view format = ProgramStrings().GetUtf8(id).value_or("%d");
    if (!body.empty())
        body += '\n';
    body += FormatText(format, {count});
}

std::string Text(int id) {
    return std::string(ProgramStrings().GetUtf8(id).value_or(""));
}

} // namespace

int SlovakCountForm(int count) {
    if (count == 1)
        return 0;
    if (count >= 2 && count <= 4)
        return 1;
    return 2;
}

DeliveryNotice DeliveryNoticeText(const DeliveryCounts& counts) {
    DeliveryNotice notice;
    notice.summary = Text(ProgramString::DeliveriesSummary);
    notice.openArchive = Text(ProgramString::OpenArchive);
    AddLine(notice.body, ProgramString::DeliveredOne, counts.delivered);
    AddLine(notice.body, ProgramString::UndeliveredOne, counts.undelivered);
    AddLine(notice.body, ProgramString::ExpiredOne, counts.expired);
    return notice;
}
