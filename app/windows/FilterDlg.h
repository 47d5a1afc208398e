#pragma once

#include <QDialog>

#include <optional>

class QButtonGroup;

// The archive's filter: which messages the page lists (ArchiveRows::Filter).
class FilterDlg : public QDialog {
    Q_OBJECT
public:
    explicit FilterDlg(int mode, QWidget* parent = nullptr);

    // The mode chosen on OK, nothing on cancel.
    static std::optional<int> Ask(int mode, QWidget* parent);
    int Mode() const;

private:
    QButtonGroup* m_modes = nullptr;
};
