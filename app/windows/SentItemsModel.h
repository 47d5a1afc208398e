#pragma once

#include "logic/SentItemsPageLogic.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <array>

// The archive page's rows as a table model over the page's logic: three columns (number, time,
// text), the delivery state's picture in the first. Rows are snapshots that name their items,
// so nothing here points into the archive.
class SentItemsModel : public QAbstractTableModel, public ISentItemsRowsObserver {
    Q_OBJECT
public:
    explicit SentItemsModel(SentItemsPageLogic& logic, QObject* parent = nullptr);
    ~SentItemsModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The picture of ArchiveRows::Icon.
    static QIcon StateIcon(int icon);

    void BeginReset() override;
    void EndReset() override;
    void BeginRemove(int row) override;
    void EndRemove() override;
    void Changed(int row) override;

private:
    SentItemsPageLogic& m_logic;
    std::array<QIcon, 5> m_icons;
};
