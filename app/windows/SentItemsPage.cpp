#include "windows/SentItemsPage.h"

#include "controls/HyperLink.h"

#include "controls/ControlsText.h"
#include "logic/ProgramCaptions.h"
#include "logic/ProgramStrings.h"
#include "model/SmsUserInfo.h"
#include "service/TransportOptions.h"
#include "windows/ListKeys.h"
#include "windows/ProgramText.h"
#include "windows/SentItemsModel.h"

#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

using namespace ProgramCaptions;

namespace {

QString Caption(int control) {
    return ProgramCaption(SentItems::kDialog, control);
}

QString ProgramText(int id) {
    const auto text = ProgramStrings().GetUtf8(id);
    return text ? FromUtf8(std::string(*text)) : QString();
}

} // namespace

SentItemsPage::SentItemsPage(CSmsUserInfo& user, CServiceLock& serviceLock, IMessageBox& boxes,
                             ISentItemsDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_user(user), m_serviceLock(serviceLock), m_boxes(boxes), m_dialogs(dialogs),
      m_serviceUrl(TransportOptions::FromEnvironment().url), m_logic(user, boxes, m_calls) {
    setObjectName(QStringLiteral("sentItemsPage"));
    m_model = new SentItemsModel(m_logic, this);
    Build();
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this,
            &SentItemsPage::RememberSelection);
    connect(m_model, &QAbstractItemModel::modelReset, this, &SentItemsPage::RestoreSelection);
    m_logic.Fill(false);
    Refresh();
    UpdateStatisticsLink();
}

SentItemsPage::~SentItemsPage() {
    // The view asks the model, and the model the logic, while the widget goes; both go first.
    m_calls.Cancel();
    m_view->viewport()->removeEventFilter(this);
    m_view->removeEventFilter(this);
    delete m_view;
    delete m_model;
}

void SentItemsPage::Build() {
    auto* searchLabel = new QLabel(Caption(SentItems::kSearch), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("searchLineEdit"));
    m_search->setPlaceholderText(ProgramText(ProgramString::SearchPlaceholder));
    m_search->setAccessibleName(ProgramText(ProgramString::SearchPlaceholder));
    m_search->setClearButtonEnabled(true);
    searchLabel->setBuddy(m_search);
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_logic.SetSearch(text.toStdString());
        Refresh();
    });
    auto* find = new QShortcut(QKeySequence::Find, this);
    find->setContext(Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);

    m_view = new QTreeView(this);
    m_view->setObjectName(QStringLiteral("itemsTreeView"));
    m_view->setAccessibleName(Caption(SentItems::kList));
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAllColumnsShowFocus(true);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setTextElideMode(Qt::ElideRight);
    QHeaderView* header = m_view->header();
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(m_logic.SortColumn(), Qt::DescendingOrder);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        m_logic.SortBy(column);
        m_view->header()->setSortIndicator(column, m_logic.Ascending() ? Qt::AscendingOrder
                                                                       : Qt::DescendingOrder);
    });
    HandleListKeys(
        m_view, [this] { Delete(); }, [this] { ShowDetails(); });
    m_view->viewport()->installEventFilter(this);
    connect(m_view, &QAbstractItemView::doubleClicked, this, &SentItemsPage::ShowDetails);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SentItemsPage::UpdateButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_view, 1);
    layout->addWidget(BuildCounts());
    layout->addWidget(BuildButtons());
    setTabOrder(m_search, m_view);
}

QWidget* SentItemsPage::BuildCounts() {
    auto* row = new QWidget(this);
    auto* countCaption = new QLabel(Caption(SentItems::kCountCaption), row);
    m_count = new QLabel(row);
    m_count->setObjectName(QStringLiteral("countLabel"));
    m_count->setAccessibleName(countCaption->text());
    m_creditCaption = new QLabel(Caption(SentItems::kCreditCaption), row);
    m_creditCaption->setObjectName(QStringLiteral("creditCaptionLabel"));
    m_credit = new QLabel(row);
    m_credit->setObjectName(QStringLiteral("creditLabel"));
    m_credit->setAccessibleName(m_creditCaption->text());
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(countCaption);
    layout->addWidget(m_count);
    layout->addStretch(1);
    layout->addWidget(m_creditCaption);
    layout->addWidget(m_credit);
    return row;
}

QWidget* SentItemsPage::BuildButtons() {
    auto* row = new QWidget(this);
    m_details = ProgramButton(SentItems::kDialog, SentItems::kDetails, "detailsButton", row);
    m_forward = ProgramButton(SentItems::kDialog, SentItems::kForward, "forwardButton", row);
    m_delete = ProgramButton(SentItems::kDialog, SentItems::kDelete, "deleteButton", row);
    auto* filter = ProgramButton(SentItems::kDialog, SentItems::kFilter, "filterButton", row);
    auto* selectAll =
        ProgramButton(SentItems::kDialog, SentItems::kSelectAll, "selectAllButton", row);
    auto* exportButton = ProgramButton(SentItems::kDialog, SentItems::kExport, "exportButton", row);
    connect(m_details, &QPushButton::clicked, this, &SentItemsPage::ShowDetails);
    connect(m_forward, &QPushButton::clicked, this, &SentItemsPage::Forward);
    connect(m_delete, &QPushButton::clicked, this, &SentItemsPage::Delete);
    connect(filter, &QPushButton::clicked, this, &SentItemsPage::ChooseFilter);
    connect(selectAll, &QPushButton::clicked, this, &SentItemsPage::SelectAll);
    connect(exportButton, &QPushButton::clicked, this, &SentItemsPage::Export);

    m_statistics = new HyperLink(Caption(SentItems::kStatistics), row);
    m_statistics->setObjectName(QStringLiteral("statisticsLabel"));
    m_statistics->setAccessibleName(Caption(SentItems::kStatistics));
    m_statistics->SetTokenLock(&m_serviceLock);

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {m_details, m_forward, m_delete, filter, selectAll, exportButton})
        layout->addWidget(button);
    layout->addStretch(1);
    layout->addWidget(m_statistics);
    return row;
}

void SentItemsPage::SetServiceUrl(const std::string& url) {
    m_serviceUrl = url;
    UpdateStatisticsLink();
}

void SentItemsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_logic.Fill(true);
    Refresh();
    UpdateStatisticsLink();
    FitColumns();
}

bool SentItemsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view->viewport() && event->type() == QEvent::Resize)
        FitColumns();
    return QWidget::eventFilter(watched, event);
}

void SentItemsPage::FitColumns() {
    const int width = m_view->viewport()->width();
    m_view->setColumnWidth(ArchiveRows::NameColumn, width * 23 / 100 - 1);
    m_view->setColumnWidth(ArchiveRows::TimeColumn, width * 27 / 100 - 1);
    m_view->setColumnWidth(ArchiveRows::TextColumn, width * 50 / 100 - 1);
}

std::vector<int> SentItemsPage::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void SentItemsPage::RememberSelection() {
    m_selected.clear();
    for (const int row : SelectedRows())
        m_selected.push_back(m_logic.Row(row).id);
    const QModelIndex current = m_view->currentIndex();
    m_hasCurrent = current.isValid();
    if (m_hasCurrent)
        m_current = m_logic.Row(current.row()).id;
}

void SentItemsPage::RestoreSelection() {
    QItemSelection selection;
    for (const SentItemId& id : m_selected) {
        if (const int row = m_logic.RowOf(id); row >= 0)
            selection.select(m_model->index(row, 0), m_model->index(row, 2));
    }
    QItemSelectionModel* model = m_view->selectionModel();
    if (m_hasCurrent) {
        if (const int row = m_logic.RowOf(m_current); row >= 0)
            model->setCurrentIndex(m_model->index(row, 0), QItemSelectionModel::NoUpdate);
    }
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    m_selected.clear();
    m_hasCurrent = false;
}

void SentItemsPage::Refresh() {
    m_count->setText(QString::fromStdString(m_logic.CountLabel()));
    const bool obk = m_user.IsObkSvcActive();
    m_creditCaption->setVisible(obk);
    m_credit->setVisible(obk);
    ShowCredit();
    UpdateButtons();
}

void SentItemsPage::UpdateButtons() {
    const bool selected = m_view->selectionModel()->hasSelection();
    for (QPushButton* button : {m_details, m_forward, m_delete})
        button->setEnabled(selected);
    m_details->setDefault(selected);
}

void SentItemsPage::UpdateStatisticsLink() {
    const QUrl url(
        QString::fromStdString(SentItemsPageLogic::StatisticsUrl(m_serviceUrl, m_user.GetToken())),
        QUrl::StrictMode);
    m_statisticsUrl = url;
    m_statistics->SetUrl(url);
    m_statistics->setToolTip(url.toString(QUrl::RemoveQuery));
}

void SentItemsPage::ItemChanged(const ArchiveItemKey& key) {
    m_logic.ItemChanged(key);
    Refresh();
}

void SentItemsPage::TokenRefreshed() {
    UpdateStatisticsLink();
}

void SentItemsPage::ShowCredit() {
    if (m_user.IsObkSvcActive())
        m_credit->setText(QString::number(m_user.GetObk()));
}

void SentItemsPage::Delete() {
    if (m_calls.IsBusy())
        return;
    m_logic.Delete(SelectedRows(), [this] { Refresh(); });
}

void SentItemsPage::ShowDetails() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    m_logic.ShowDetails(rows.front(), m_dialogs);
    Refresh();
}

void SentItemsPage::Forward() {
    const std::vector<int> rows = SelectedRows();
    std::string text;
    bool flash = false;
    if (!rows.empty() && m_logic.ForwardText(rows.front(), text, flash))
        emit forwardRequested(ToQString(text), flash);
}

void SentItemsPage::ChooseFilter() {
    m_logic.ChooseFilter(m_dialogs);
    Refresh();
}

void SentItemsPage::SelectAll() {
    m_view->selectAll();
    m_view->setFocus();
}

void SentItemsPage::Export() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(
        this, ProgramText(ProgramString::ExportTitle),
        folder + QLatin1Char('/') + ProgramText(ProgramString::ExportFileName),
        ProgramText(ProgramString::ExportFilter));
    if (!path.isEmpty())
        ExportTo(path);
}

bool SentItemsPage::ExportTo(const QString& path) {
    const std::string csv = m_logic.ExportCsv();
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(csv.data(), static_cast<qint64>(csv.size())) ==
                             static_cast<qint64>(csv.size()) &&
                         file.flush();
    if (!written) {
        m_boxes.Show(ProgramStrings(), ProgramString::ExportFailed, {path.toStdString()},
                     IMessageBox::Icon::Stop);
    }
    return written;
}

void SentItemsPage::OpenStatistics() {
    m_statistics->Open();
}

void SentItemsPage::SetUrlOpener(UrlOpener opener) {
    m_statistics->SetOpener(std::move(opener));
}

bool SentItemsPage::IsStatisticsVisited() const {
    return m_statistics->IsVisited();
}
