#pragma once

#include "controls/WindowCallRunner.h"
#include "logic/SentItemsPageLogic.h"
#include "model/ArchiveItemKey.h"

#include <QUrl>
#include <QWidget>

#include <functional>
#include <vector>

class CServiceLock;
class HyperLink;
class CSmsUserInfo;
class IMessageBox;
class ISentItemsDialogs;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class SentItemsModel;

// The archive page of the main window: the archived messages with their delivery states,
// filtered, sorted and searched; details, editing of scheduled messages, deleting (scheduled
// ones are cancelled at the service), forwarding to the compose page, the export to CSV, the
// portal credit and the link to the service's statistics.
class SentItemsPage : public QWidget {
    Q_OBJECT
public:
    // user, serviceLock, boxes and dialogs must outlive the page.
    SentItemsPage(CSmsUserInfo& user, CServiceLock& serviceLock, IMessageBox& boxes,
                  ISentItemsDialogs& dialogs, QWidget* parent = nullptr);
    ~SentItemsPage() override;

    // How the statistics link is opened (the desktop's browser unless a test says otherwise).
    using UrlOpener = std::function<bool(const QUrl&)>;
    void SetUrlOpener(UrlOpener opener);
    // The service endpoint whose host serves the statistics (from the environment unless set).
    void SetServiceUrl(const std::string& url);
    QUrl StatisticsUrl() const { return m_statisticsUrl; }
    bool IsStatisticsVisited() const;

    SentItemsPageLogic& Logic() { return m_logic; }
    SentItemsModel* Model() const { return m_model; }

    // Writes the rows shown as CSV; false (after telling the user) when the file was not written.
    bool ExportTo(const QString& path);

public slots:
    // From the background worker: the item's delivery states changed.
    void ItemChanged(const ArchiveItemKey& key);
    // The session token may have changed: the statistics link follows.
    void TokenRefreshed();
    // The portal credit changed (a message paid with it).
    void ShowCredit();

    void Delete();
    void ShowDetails();
    void Forward();
    void ChooseFilter();
    void SelectAll();
    void Export();
    void OpenStatistics();

signals:
    // "Preposlať": the compose page takes the text and the flash flag.
    void forwardRequested(const QString& text, bool flash);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    QWidget* BuildButtons();
    QWidget* BuildCounts();
    void FitColumns();
    std::vector<int> SelectedRows() const;
    void RememberSelection();
    void RestoreSelection();
    void Refresh();
    void UpdateButtons();
    void UpdateStatisticsLink();

    CSmsUserInfo& m_user;
    CServiceLock& m_serviceLock;
    IMessageBox& m_boxes;
    ISentItemsDialogs& m_dialogs;
    std::string m_serviceUrl;
    QUrl m_statisticsUrl;
    SentItemsPageLogic m_logic;
    SentItemsModel* m_model = nullptr;
    QLineEdit* m_search = nullptr;
    QTreeView* m_view = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_creditCaption = nullptr;
    QLabel* m_credit = nullptr;
    HyperLink* m_statistics = nullptr;
    QPushButton* m_details = nullptr;
    QPushButton* m_forward = nullptr;
    QPushButton* m_delete = nullptr;
    std::vector<SentItemId> m_selected;
    SentItemId m_current;
    bool m_hasCurrent = false;
    // Last: a delete call in progress is cancelled before anything it uses goes.
    WindowCallRunner m_calls{this};
};
