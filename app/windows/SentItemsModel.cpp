#include "windows/SentItemsModel.h"

#include "controls/ControlsText.h"
#include "logic/ProgramStrings.h"

namespace {

constexpr int kColumns = 3;

QString ProgramText(int id) {
    const auto text = ProgramStrings().GetUtf8(id);
    return text ? QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())) : QString();
}

} // namespace

SentItemsModel::SentItemsModel(SentItemsPageLogic& logic, QObject* parent)
    : QAbstractTableModel(parent), m_logic(logic) {
    for (int i = 0; i < static_cast<int>(m_icons.size()); ++i)
        m_icons[i] = StateIcon(i);
    m_logic.SetObserver(this);
}

SentItemsModel::~SentItemsModel() {
    m_logic.SetObserver(nullptr);
}

QIcon SentItemsModel::StateIcon(int icon) {
    Q_INIT_RESOURCE(sentitems);
    static const char* const kNames[] = {"no-report", "delivered", "not-delivered", "scheduled",
                                         "group"};
    if (icon < 0 || icon >= static_cast<int>(std::size(kNames)))
        icon = 0;
    return QIcon(QStringLiteral(":/quillon/app/sentitems/%1.svg").arg(kNames[icon]));
}

int SentItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_logic.RowCount();
}

int SentItemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant SentItemsModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const SentItemRow& row = m_logic.Row(index.row());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case ArchiveRows::NameColumn:
            return ToQString(row.name);
        case ArchiveRows::TimeColumn:
            return QString::fromStdString(row.time);
        default:
            return ToQString(row.text);
        }
    }
    if (role == Qt::DecorationRole && index.column() == ArchiveRows::NameColumn)
        return m_icons[static_cast<std::size_t>(row.icon) % m_icons.size()];
    return {};
}

QVariant SentItemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumns)
        return {};
    static const int kTitles[] = {ProgramString::NumberColumn, ProgramString::TimeColumn,
                                  ProgramString::TextColumn};
    return ProgramText(kTitles[section]);
}

void SentItemsModel::BeginReset() {
    beginResetModel();
}

void SentItemsModel::EndReset() {
    endResetModel();
}

void SentItemsModel::BeginRemove(int row) {
    beginRemoveRows({}, row, row);
}

void SentItemsModel::EndRemove() {
    endRemoveRows();
}

void SentItemsModel::Changed(int row) {
    emit dataChanged(index(row, 0), index(row, kColumns - 1));
}
