#include "logic/SentItemsPageLogic.h"

#include "frontend/ICallRunner.h"
#include "logic/CsvWriter.h"
#include "logic/ISentItemsDialogs.h"
#include "logic/ProgramStrings.h"
#include "logic/SearchFold.h"
#include "model/SmsUserInfo.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

// The service's answer when the scheduled message is gone there already.
constexpr int kAlreadyGone = 69;

std::string Utf8(int id) {
    const auto text = ProgramStrings().GetUtf8(id);
    return text ? std::string(*text) : std::string();
}

std::string PercentEncoded(const std::string& text) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
            (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0xF];
        }
    }
    return encoded;
}

} // namespace

struct SentItemsPageLogic::DeleteRun {
    std::vector<SentItemId> ids;
    std::size_t next = 0;
    bool several = false;
    std::function<void()> finished;
};

SentItemsPageLogic::SentItemsPageLogic(CSmsUserInfo& user, IMessageBox& boxes, ICallRunner& calls)
    : m_user(user), m_boxes(boxes), m_calls(calls) {}

void SentItemsPageLogic::Reset(const std::function<void()>& change) {
    if (m_observer)
        m_observer->BeginReset();
    change();
    if (m_observer)
        m_observer->EndReset();
}

void SentItemsPageLogic::Fill(bool incremental) {
    Reset([&] {
        const auto lock = m_user.LockData();
        CSmsArchive& archive = m_user.GetArchive();
        int added = archive.GetNewItemCount();
        const bool all = !incremental || added < 0;
        if (all) {
            m_rows.clear();
            added = archive.GetItemCount();
        }
        added = std::min(added, archive.GetItemCount());
        std::vector<SentItemRow> fresh;
        for (int i = 0; i < added; ++i) {
            const CSmsArchiveItem& item = *archive.GetItem(i);
            if (!ArchiveRows::Passes(item, m_filter))
                continue;
            // An item counted as new may already have its row (one that came into the filter).
            if (!all && IndexOf(SentItemId::Of(item)) >= 0)
                continue;
            fresh.push_back(SentItemRow::Of(item));
        }
        // The new items are the newest: first among rows that sort as equal.
        m_rows.insert(m_rows.begin(), std::make_move_iterator(fresh.begin()),
                      std::make_move_iterator(fresh.end()));
        archive.ResetNewItems();
        m_archiveCount = archive.GetItemCount();
        Sort();
        RebuildView();
    });
}

void SentItemsPageLogic::Sort() {
    const int column = m_sortColumn;
    const bool ascending = m_ascending;
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [column, ascending](const SentItemRow& a, const SentItemRow& b) {
                         int order = 0;
                         if (column == ArchiveRows::NameColumn)
                             order = a.sortName.compare(b.sortName);
                         else if (column == ArchiveRows::TimeColumn)
                             order = a.sentTime < b.sentTime ? -1 : (a.sentTime > b.sentTime);
                         else
                             order = a.sortText.compare(b.sortText);
                         return ascending ? order < 0 : order > 0;
                     });
}

bool SentItemsPageLogic::Shown(const SentItemRow& row) const {
    return m_search.empty() || row.searched.find(m_search) != std::wstring::npos;
}

void SentItemsPageLogic::RebuildView() {
    m_view.clear();
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        if (Shown(m_rows[i]))
            m_view.push_back(i);
    }
}

int SentItemsPageLogic::IndexOf(const SentItemId& id) const {
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        if (m_rows[i].id == id)
            return i;
    }
    return -1;
}

int SentItemsPageLogic::RowOf(const SentItemId& id) const {
    const int index = IndexOf(id);
    const auto found = std::find(m_view.begin(), m_view.end(), index);
    return index < 0 || found == m_view.end() ? -1 : static_cast<int>(found - m_view.begin());
}

std::string SentItemsPageLogic::CountLabel() const {
    char label[32];
    std::snprintf(label, sizeof label, "%d/%d", RowCount(), m_archiveCount);
    return label;
}

void SentItemsPageLogic::SetFilter(int filter) {
    if (filter == m_filter)
        return;
    m_filter = filter;
    Fill(false);
}

bool SentItemsPageLogic::ChooseFilter(ISentItemsDialogs& dialogs) {
    const std::optional<int> chosen = dialogs.ChooseFilter(m_filter);
    if (!chosen || *chosen == m_filter)
        return false;
    SetFilter(*chosen);
    return true;
}

void SentItemsPageLogic::SortBy(int column) {
    m_ascending = column == m_sortColumn ? !m_ascending : true;
    m_sortColumn = column;
    Reset([this] {
        Sort();
        RebuildView();
    });
}

void SentItemsPageLogic::SetSearch(const std::string& utf8) {
    std::wstring search = SearchFold::OfUtf8(utf8);
    if (search == m_search)
        return;
    m_search = std::move(search);
    Reset([this] { RebuildView(); });
}

void SentItemsPageLogic::Insert(const CSmsArchiveItem& item) {
    Reset([&] {
        m_rows.push_back(SentItemRow::Of(item));
        Sort();
        RebuildView();
    });
}

void SentItemsPageLogic::RemoveRow(int index) {
    const auto shown = std::find(m_view.begin(), m_view.end(), index);
    const int viewRow = shown == m_view.end() ? -1 : static_cast<int>(shown - m_view.begin());
    if (viewRow >= 0 && m_observer)
        m_observer->BeginRemove(viewRow);
    m_rows.erase(m_rows.begin() + index);
    RebuildView();
    if (viewRow >= 0 && m_observer)
        m_observer->EndRemove();
}

void SentItemsPageLogic::RefreshRow(int index, const CSmsArchiveItem& item) {
    SentItemRow fresh = SentItemRow::Of(item);
    if (!fresh.scheduled && fresh.icon != ArchiveRows::Group)
        fresh.icon = ArchiveRows::NotifiedIcon(item);
    SentItemRow& row = m_rows[index];
    const bool samePlace = fresh.sortName == row.sortName && fresh.sortText == row.sortText &&
                           fresh.sentTime == row.sentTime && fresh.searched == row.searched;
    if (!samePlace) {
        Reset([&] {
            row = std::move(fresh);
            Sort();
            RebuildView();
        });
        return;
    }
    row = std::move(fresh);
    const auto shown = std::find(m_view.begin(), m_view.end(), index);
    if (shown != m_view.end() && m_observer)
        m_observer->Changed(static_cast<int>(shown - m_view.begin()));
}

void SentItemsPageLogic::ItemChanged(const ArchiveItemKey& key) {
    const auto lock = m_user.LockData();
    const CSmsArchiveItem* item = key.Find(m_user.GetArchive());
    const auto held = std::find_if(m_rows.begin(), m_rows.end(),
                                   [&key](const SentItemRow& row) { return row.id.key == key; });
    const int index = held == m_rows.end() ? -1 : static_cast<int>(held - m_rows.begin());
    if (!item) {
        if (index >= 0)
            RemoveRow(index);
        return;
    }
    const bool passes = ArchiveRows::Passes(*item, m_filter);
    if (index >= 0) {
        if (passes)
            RefreshRow(index, *item);
        else
            RemoveRow(index);
        return;
    }
    if (!passes)
        return;
    Fill(true);
    // The item was there before and only now passes the filter: no count brings it in.
    if (IndexOf(SentItemId::Of(*item)) < 0)
        Insert(*item);
}

void SentItemsPageLogic::Delete(const std::vector<int>& rows, std::function<void()> finished) {
    auto run = std::make_shared<DeleteRun>();
    for (const int row : rows) {
        if (row >= 0 && row < RowCount())
            run->ids.push_back(Row(row).id);
    }
    run->several = run->ids.size() > 1;
    run->finished = std::move(finished);
    if (run->ids.empty()) {
        if (run->finished)
            run->finished();
        return;
    }
    const auto answer =
        run->several
            ? m_boxes.Show(ProgramStrings(), ProgramString::DeleteSeveral,
                           {static_cast<int>(run->ids.size())}, IMessageBox::Icon::Question,
                           IMessageBox::Buttons::YesNo, IMessageBox::Answer::No)
            : m_boxes.Show(ProgramStrings(), ProgramString::DeleteOne, {},
                           IMessageBox::Icon::Question, IMessageBox::Buttons::YesNo,
                           IMessageBox::Answer::No);
    if (answer != IMessageBox::Answer::Yes) {
        if (run->finished)
            run->finished();
        return;
    }
    DeleteNext(run);
}

void SentItemsPageLogic::DeleteNext(std::shared_ptr<DeleteRun> run) {
    while (run->next < run->ids.size()) {
        const SentItemId id = run->ids[run->next++];
        bool scheduled = false;
        bool periodic = false;
        std::int64_t messageId = 0;
        std::string name;
        {
            const auto lock = m_user.LockData();
            const CSmsArchiveItem* item = id.Find(m_user.GetArchive());
            if (!item)
                continue;
            scheduled = item->IsScheduled();
            periodic = scheduled && item->GetPeriodicity() != 0;
            messageId = item->GetMessageId();
            name = AnsiTextToUtf8(item->GetName());
        }
        if (!scheduled) {
            DeleteFound(id);
            continue;
        }
        if (periodic) {
            const auto answer = m_boxes.Show(ProgramStrings(), ProgramString::DeletePeriodic,
                                             {name}, IMessageBox::Icon::Question,
                                             run->several ? IMessageBox::Buttons::YesNoCancel
                                                          : IMessageBox::Buttons::YesNo,
                                             IMessageBox::Answer::No);
            if (answer == IMessageBox::Answer::Cancel)
                break;
            if (answer != IMessageBox::Answer::Yes)
                continue;
        }
        // The call runs without the archive's lock, so the worker is never held up by it; the
        // item is looked for again afterwards.
        const bool started = RunCall<int>(
            m_calls,
            [this, messageId] {
                return m_user.KvwsDeleteSms(static_cast<std::uint64_t>(messageId));
            },
            [this, run, id](const CallResult<int>& result) {
                try {
                    const int status = result.Get();
                    if (status == 0 || status == kAlreadyGone)
                        DeleteFound(id);
                } catch (...) {
                    // A failed cancellation keeps the item, without a message.
                }
                DeleteNext(run);
            });
        if (started)
            return;
    }
    EndDelete(run);
}

void SentItemsPageLogic::DeleteFound(const SentItemId& id) {
    {
        const auto lock = m_user.LockData();
        CSmsArchive& archive = m_user.GetArchive();
        if (const CSmsArchiveItem* item = id.Find(archive))
            archive.DeleteItem(item);
        m_archiveCount = archive.GetItemCount();
    }
    if (const int index = IndexOf(id); index >= 0)
        RemoveRow(index);
}

void SentItemsPageLogic::EndDelete(const std::shared_ptr<DeleteRun>& run) {
    {
        const auto lock = m_user.LockData();
        m_user.GetArchive().ResetNewItems();
    }
    m_user.Save(false);
    if (run->finished)
        run->finished();
}

void SentItemsPageLogic::ShowDetails(int row, ISentItemsDialogs& dialogs) {
    if (row < 0 || row >= RowCount())
        return;
    const SentItemId id = Row(row).id;
    std::optional<ScheduledSms> scheduled;
    std::optional<SmsDetails> details;
    {
        const auto lock = m_user.LockData();
        const CSmsArchiveItem* item = id.Find(m_user.GetArchive());
        if (!item)
            return;
        if (item->IsScheduled())
            scheduled = ScheduledSms::Of(*item);
        else
            details = SmsDetails::Of(*item);
    }
    if (details) {
        dialogs.ShowDetails(*details);
        return;
    }
    if (!dialogs.EditScheduled(*scheduled))
        return;
    {
        const auto lock = m_user.LockData();
        CSmsArchiveItem* item = id.Find(m_user.GetArchive());
        if (!item)
            return;
        scheduled->ApplyTo(*item);
        if (const int index = IndexOf(id); index >= 0) {
            // The replaced message may carry a new id.
            SentItemRow fresh = SentItemRow::Of(*item);
            Reset([&] {
                m_rows[index] = std::move(fresh);
                Sort();
                RebuildView();
            });
        }
    }
    m_user.Save(false);
}

bool SentItemsPageLogic::ForwardText(int row, std::string& text, bool& flash) const {
    if (row < 0 || row >= RowCount())
        return false;
    const auto lock = m_user.LockData();
    const CSmsArchiveItem* item = Row(row).id.Find(m_user.GetArchive());
    if (!item)
        return false;
    text = item->GetSmsText();
    flash = item->GetType();
    return true;
}

std::string SentItemsPageLogic::StatisticsUrl(const std::string& serviceUrl,
                                              const std::string& token) {
    const std::size_t scheme = serviceUrl.find("://");
    if (scheme == std::string::npos)
        return {};
    const std::size_t path = serviceUrl.find_first_of("/?#", scheme + 3);
    return serviceUrl.substr(0, path) + "/sk/kvws.stats?token=" + PercentEncoded(token);
}

std::string SentItemsPageLogic::StateText(const CSmsArchiveItem& item,
                                          const CSmsRecipientInfo& recipient) {
    if (!item.IsScheduled() && recipient.GetSmsId() <= 0)
        return Utf8(ProgramString::StateNoReport);
    if (item.IsScheduled() && !item.HasDeliveryReport())
        return Utf8(ProgramString::StateNoReport);
    switch (recipient.GetStatus()) {
    case CSmsRecipientInfo::Expired:
        return Utf8(ProgramString::StateExpired);
    case CSmsRecipientInfo::Pending:
        return Utf8(ProgramString::StatePending);
    case CSmsRecipientInfo::Delivered:
        return Utf8(ProgramString::StateDeliveredNoTime);
    default:
        return Utf8(ProgramString::StateUndeliverable);
    }
}

std::string SentItemsPageLogic::ExportCsv() const {
    CsvWriter csv;
    csv.AddRecord({Utf8(ProgramString::ExportSent), Utf8(ProgramString::ExportName),
                   Utf8(ProgramString::ExportNumber), Utf8(ProgramString::ExportState),
                   Utf8(ProgramString::ExportDeliveryTime), Utf8(ProgramString::ExportText)});
    const auto lock = m_user.LockData();
    const CSmsArchive& archive = m_user.GetArchive();
    std::map<SentItemId, const CSmsArchiveItem*> items;
    for (int i = 0; i < archive.GetItemCount(); ++i)
        items.emplace(SentItemId::Of(*archive.GetItem(i)), archive.GetItem(i));
    for (const int index : m_view) {
        const auto found = items.find(m_rows[index].id);
        if (found == items.end())
            continue;
        const CSmsArchiveItem& item = *found->second;
        const std::string sent = item.GetSentTimeAsString();
        const std::string text = AnsiTextToUtf8(item.GetSmsText());
        for (int r = 0; r < item.GetRecipientCount(); ++r) {
            const CSmsRecipientInfo& recipient = *item.GetRecipient(r);
            const bool delivered = recipient.GetDeliveryTime() > 0;
            csv.AddRecord({sent, AnsiTextToUtf8(recipient.GetOrigNr()),
                           AnsiTextToUtf8(recipient.GetTranslatedNr()), StateText(item, recipient),
                           delivered ? recipient.GetDeliveryTimeAsString() : std::string(), text});
        }
    }
    return csv.Text();
}
