#pragma once

#include "QuillonControlsExport.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The end of a synchronisation with errors: the warning, OK, and a toggle that shows or hides
// the error lines in a read-only edit below. It opens collapsed.
class QUILLON_CONTROLS_EXPORT SyncErrorDlg : public QDialog {
    Q_OBJECT
public:
    // lines: UTF-8, each line ending in CR LF or LF.
    explicit SyncErrorDlg(const QString& lines, QWidget* parent = nullptr);

    bool IsExpanded() const;

private:
    void Toggle();
    void ShowToggleCaption();

    QPushButton* m_toggle = nullptr;
    QPlainTextEdit* m_lines = nullptr;
};
