#include "windows/AddressBookModel.h"

#include "controls/ControlsText.h"
#include "logic/ProgramStrings.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>
#include <numeric>

AddressBookModel::AddressBookModel(QObject* parent) : QAbstractTableModel(parent) {}

void AddressBookModel::SetRows(const std::vector<ContactRow>& rows) {
    beginResetModel();
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Folded first as well: some locales' collations (the POSIX one) order by case regardless.
    std::vector<Row> converted;
    converted.reserve(rows.size());
    std::vector<QCollatorSortKey> keys;
    keys.reserve(rows.size());
    for (const ContactRow& row : rows) {
        converted.push_back(
            {row.id, {ToQString(row.name), ToQString(row.phone1), ToQString(row.phone2)}});
        keys.push_back(collator.sortKey(converted.back().texts[NameColumn].toCaseFolded()));
    }
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) {
        return keys[a].compare(keys[b]) < 0;
    });
    m_rows.clear();
    m_rows.reserve(rows.size());
    m_rowOfId.clear();
    for (const std::size_t index : order) {
        m_rowOfId[converted[index].id] = static_cast<int>(m_rows.size());
        m_rows.push_back(std::move(converted[index]));
    }
    endResetModel();
}

int AddressBookModel::RowOf(std::uint32_t id) const {
    const auto found = m_rowOfId.find(id);
    return found == m_rowOfId.end() ? -1 : found->second;
}

int AddressBookModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int AddressBookModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AddressBookModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row& row = m_rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return row.texts[index.column()];
    if (role == IdRole)
        return static_cast<qulonglong>(row.id);
    return {};
}

QVariant AddressBookModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    static constexpr int kTitles[ColumnCount] = {
        ProgramString::ContactNameColumn, ProgramString::Phone1Column, ProgramString::Phone2Column};
    const auto text = ProgramStrings().GetUtf8(kTitles[section]);
    return text ? FromUtf8(std::string(*text)) : QString();
}
