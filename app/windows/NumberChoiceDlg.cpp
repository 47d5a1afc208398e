#include "windows/NumberChoiceDlg.h"

#include "controls/ControlsText.h"
#include "logic/SmsPageCaptions.h"
#include "model/SmsAddressBookItem.h"
#include "windows/ProgramText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::NumberChoice;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

QRadioButton* NumberButton(int control, const std::string& number, const char* name,
                           QWidget* parent) {
    const QString text = Caption(control) + QStringLiteral(": ") + ToQString(number);
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(Spoken(text));
    return button;
}

} // namespace

NumberChoiceDlg::NumberChoiceDlg(const CSmsAddressBookItem& contact, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("numberChoiceDialog"));
    setWindowTitle(Caption(ProgramCaptions::kCaption));
    auto* question = new QLabel(Caption(Ids::kQuestion), this);
    question->setObjectName(QStringLiteral("questionLabel"));
    m_first = NumberButton(Ids::kFirst, contact.GetPhone1(), "firstNumberRadioButton", this);
    m_second = NumberButton(Ids::kSecond, contact.GetPhone2(), "secondNumberRadioButton", this);
    m_first->setChecked(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok =
        buttons->addButton(Caption(ProgramCaptions::kOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton* dontAdd = buttons->addButton(Caption(Ids::kDontAdd), QDialogButtonBox::RejectRole);
    dontAdd->setObjectName(QStringLiteral("dontAddButton"));
    dontAdd->setAccessibleName(Spoken(dontAdd->text()));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(m_first);
    layout->addWidget(m_second);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_first->setFocus();
}

RecipientList::NumberChoice NumberChoiceDlg::Choice() const {
    return m_second->isChecked() ? RecipientList::NumberChoice::Second
                                 : RecipientList::NumberChoice::First;
}

std::optional<RecipientList::NumberChoice> NumberChoiceDlg::Ask(const CSmsAddressBookItem& contact,
                                                                QWidget* parent) {
    NumberChoiceDlg dialog(contact, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}
