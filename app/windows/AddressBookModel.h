#pragma once

#include "logic/AddressBookEntries.h"

#include <QAbstractTableModel>
#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

// The contacts list: one row per contact keyed by its id, three columns (name, number 1,
// number 2), sorted by name with the locale's collation ignoring case.
class AddressBookModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, Phone1Column, Phone2Column, ColumnCount };
    static constexpr int IdRole = Qt::UserRole;

    explicit AddressBookModel(QObject* parent = nullptr);

    // The contacts in any order (book order); the model sorts them.
    void SetRows(const std::vector<ContactRow>& rows);
    // The row of the contact, or -1.
    int RowOf(std::uint32_t id) const;
    std::uint32_t IdAt(int row) const { return m_rows[static_cast<std::size_t>(row)].id; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Row {
        std::uint32_t id;
        QString texts[ColumnCount];
    };
    std::vector<Row> m_rows;
    std::unordered_map<std::uint32_t, int> m_rowOfId;
};
