#include "windows/AlternativeNumberDlg.h"

#include "controls/ControlsText.h"
#include "logic/ImportCaptions.h"
#include "logic/ProgramStrings.h"
#include "windows/DialogButtons.h"
#include "windows/ProgramText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::AlternativeNumber;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

QString LabelText(NumberLabel label) {
    int id = ProgramString::LabelOther;
    switch (label) {
    case NumberLabel::Work:
        id = ProgramString::LabelWork;
        break;
    case NumberLabel::Home:
        id = ProgramString::LabelHome;
        break;
    case NumberLabel::Primary:
        id = ProgramString::LabelPrimary;
        break;
    case NumberLabel::Other:
        break;
    }
    return FromUtf8(std::string(ProgramStrings().GetUtf8(id).value_or("")));
}

} // namespace

AlternativeNumberDlg::AlternativeNumberDlg(const std::string& name,
                                           const std::vector<CandidateNumber>& numbers,
                                           QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("alternativeNumberDialog"));
    setWindowTitle(Caption(ProgramCaptions::kCaption));
    setMinimumWidth(400);
    auto* main = new QVBoxLayout(this);

    auto* form = new QFormLayout;
    auto* nameEdit = new QLineEdit(ToQString(name), this);
    nameEdit->setObjectName(QStringLiteral("nameLineEdit"));
    nameEdit->setReadOnly(true);
    nameEdit->setAccessibleName(Spoken(Caption(Ids::kNameLabel)));
    form->addRow(Caption(Ids::kNameLabel), nameEdit);
    main->addLayout(form);

    auto* question = new QLabel(Caption(Ids::kQuestion), this);
    question->setObjectName(QStringLiteral("questionLabel"));
    question->setWordWrap(true);
    main->addWidget(question);

    m_numbers = new QListWidget(this);
    m_numbers->setObjectName(QStringLiteral("numbersListWidget"));
    m_numbers->setAccessibleName(Caption(Ids::kNumbers));
    for (const CandidateNumber& number : numbers)
        m_numbers->addItem(
            QStringLiteral("%1: %2").arg(LabelText(number.label), ToQString(number.number)));
    m_numbers->setCurrentRow(0);
    // As high as its rows, so the few numbers do not float in an empty box.
    m_numbers->setMaximumHeight(m_numbers->sizeHintForRow(0) * (m_numbers->count() + 1) +
                                2 * m_numbers->frameWidth());
    question->setBuddy(m_numbers);
    main->addWidget(m_numbers);

    const DialogButtons buttons = YesNoButtons(this, Ids::kDialog);
    connect(m_numbers, &QListWidget::itemActivated, this, &QDialog::accept);
    main->addWidget(buttons.box);
    m_numbers->setFocus();
}

int AlternativeNumberDlg::Chosen() const {
    return m_numbers->currentRow();
}

int AlternativeNumberDlg::Ask(const std::string& name, const std::vector<CandidateNumber>& numbers,
                              QWidget* parent) {
    AlternativeNumberDlg dialog(name, numbers, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.Chosen() : -1;
}
