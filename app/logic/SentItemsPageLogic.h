#pragma once

#include "frontend/ArchiveRows.h"
#include "frontend/IMessageBox.h"
#include "logic/SentItemRow.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CSmsRecipientInfo;
class CSmsUserInfo;
class ICallRunner;
class ISentItemsDialogs;

// Told how the rows of the archive page change, so that a view over them follows (an item
// model's begin/end signals). Rows are numbered in view order.
class ISentItemsRowsObserver {
public:
    virtual ~ISentItemsRowsObserver() = default;
    virtual void BeginReset() = 0;
    virtual void EndReset() = 0;
    virtual void BeginRemove(int row) = 0;
    virtual void EndRemove() = 0;
    virtual void Changed(int row) = 0;
};

// The archive page without its window: the rows of the archive items that pass the filter and
// the search, in the sort order, taken from the archive under its lock; the reaction to a
// changed item; deleting (cancelling scheduled messages at the service); the details and the
// scheduled message dialog; the statistics link; the CSV export.
class SentItemsPageLogic {
public:
    // All must outlive the logic; the runner carries the delete calls and the link's lock.
    SentItemsPageLogic(CSmsUserInfo& user, IMessageBox& boxes, ICallRunner& calls);

    void SetObserver(ISentItemsRowsObserver* observer) { m_observer = observer; }

    // Incremental: only the items the archive added at its front since the last fill (all of
    // them when it lost count); otherwise every item again.
    void Fill(bool incremental);

    // The rows shown, in view order.
    int RowCount() const { return static_cast<int>(m_view.size()); }
    const SentItemRow& Row(int row) const { return m_rows[m_view[row]]; }
    // The view row of the item, or -1.
    int RowOf(const SentItemId& id) const;
    // "%d/%d": rows shown, items in the archive.
    std::string CountLabel() const;

    int Filter() const { return m_filter; }
    // A changed filter fills the list again.
    void SetFilter(int filter);
    // Asks the filter dialog; true when the filter changed.
    bool ChooseFilter(ISentItemsDialogs& dialogs);

    int SortColumn() const { return m_sortColumn; }
    bool Ascending() const { return m_ascending; }
    // A click on the column's header: the other direction on the sort column, else ascending.
    void SortBy(int column);

    // Shows only the rows whose text, names or numbers hold the search (UTF-8), ignoring case
    // and accents; empty shows all.
    void SetSearch(const std::string& utf8);

    // The background worker changed the item.
    void ItemChanged(const ArchiveItemKey& key);

    // Deletes the rows (view rows) after asking; scheduled messages are cancelled at the service
    // first and stay when it refuses. finished runs when it is over (also when the user said
    // no).
    void Delete(const std::vector<int>& rows, std::function<void()> finished = {});

    // The details of the row's item, or the scheduled message dialog for a scheduled one (the
    // edited message then goes into the archive and the profile is saved).
    void ShowDetails(int row, ISentItemsDialogs& dialogs);

    // The text and flash flag of the row's item, for forwarding; false when the item is gone.
    bool ForwardText(int row, std::string& text, bool& flash) const;

    // The statistics page of the service at serviceUrl's host with the session token.
    static std::string StatisticsUrl(const std::string& serviceUrl, const std::string& token);

    // The rows shown as CSV (UTF-8 with a BOM): one record per recipient.
    std::string ExportCsv() const;
    // The state of a recipient as the details and the export name it ("Doručuje sa", ...).
    static std::string StateText(const CSmsArchiveItem& item, const CSmsRecipientInfo& recipient);

private:
    struct DeleteRun;
    void Sort();
    void RebuildView();
    void Reset(const std::function<void()>& change);
    bool Shown(const SentItemRow& row) const;
    int IndexOf(const SentItemId& id) const;
    void Insert(const CSmsArchiveItem& item);
    void RemoveRow(int index);
    void RefreshRow(int index, const CSmsArchiveItem& item);
    void DeleteNext(std::shared_ptr<DeleteRun> run);
    void DeleteFound(const SentItemId& id);
    void EndDelete(const std::shared_ptr<DeleteRun>& run);

    CSmsUserInfo& m_user;
    IMessageBox& m_boxes;
    ICallRunner& m_calls;
    ISentItemsRowsObserver* m_observer = nullptr;
    std::vector<SentItemRow> m_rows; // every row that passes the filter, sorted
    std::vector<int> m_view;         // the rows that pass the search too, as indexes of m_rows
    int m_archiveCount = 0;
    int m_filter = ArchiveRows::All;
    int m_sortColumn = ArchiveRows::TimeColumn;
    bool m_ascending = false;
    std::wstring m_search;
};
