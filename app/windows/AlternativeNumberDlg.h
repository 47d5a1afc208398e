#pragma once

#include "frontend/ImportRecord.h"

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;

// Offers the other numbers of an imported record that has no mobile number: "Áno" takes the
// selected one, "Nie" none.
class AlternativeNumberDlg : public QDialog {
    Q_OBJECT
public:
    // The name and numbers in the ANSI code page.
    AlternativeNumberDlg(const std::string& name, const std::vector<CandidateNumber>& numbers,
                         QWidget* parent = nullptr);

    // The index of the number taken, or -1.
    static int Ask(const std::string& name, const std::vector<CandidateNumber>& numbers,
                   QWidget* parent);
    int Chosen() const;

private:
    QListWidget* m_numbers = nullptr;
};
