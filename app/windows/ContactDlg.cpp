#include "windows/ContactDlg.h"

#include "controls/ControlsText.h"
#include "frontend/IMessageBox.h"
#include "logic/AddressPageCaptions.h"
#include "logic/ContactEdit.h"
#include "logic/ProgramStrings.h"
#include "windows/DialogButtons.h"
#include "windows/ProgramText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::ContactDialog;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

QString Title(bool isNew) {
    const auto text = ProgramStrings().GetUtf8(isNew ? ProgramString::NewContactTitle
                                                     : ProgramString::EditContactTitle);
    return text ? FromUtf8(std::string(*text)) : QString();
}

} // namespace

ContactDlg::ContactDlg(const ContactFields& fields, bool isNew, IMessageBox& boxes, QWidget* parent)
    : QDialog(parent), m_boxes(boxes), m_checked(fields) {
    setObjectName(QStringLiteral("contactDialog"));
    setWindowTitle(Title(isNew));
    auto* main = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    main->addLayout(form);
    m_name = AddField(*form, Ids::kNameLabel, "nameLineEdit", ContactEdit::kMaxName, fields.name);
    m_phone1 = AddField(*form, Ids::kPhone1Label, "phone1LineEdit", ContactEdit::kMaxNumber,
                        fields.phone1);
    m_phone2 = AddField(*form, Ids::kPhone2Label, "phone2LineEdit", ContactEdit::kMaxNumber,
                        fields.phone2);
    // Names are wider than numbers.
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 36);

    const DialogButtons buttons = OkCancelButtons(this, Ids::kDialog);
    main->addWidget(buttons.box);
    main->setSizeConstraint(QLayout::SetFixedSize);
    m_name->setFocus();
}

QLineEdit* ContactDlg::AddField(QFormLayout& form, int label, const char* name, int maxLength,
                                const std::string& text) {
    auto* caption = new QLabel(Caption(label), this);
    auto* edit = new QLineEdit(ToQString(text), this);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(Spoken(caption->text()));
    edit->setMaxLength(maxLength);
    caption->setBuddy(edit);
    form.addRow(caption, edit);
    return edit;
}

ContactFields ContactDlg::Fields() const {
    return m_checked;
}

void ContactDlg::accept() {
    ContactFields fields{ToAnsi(m_name->text()), ToAnsi(m_phone1->text()),
                         ToAnsi(m_phone2->text())};
    if (const auto problem = ContactEdit::Check(fields)) {
        m_boxes.Show(ProgramStrings(), problem->stringId, {}, IMessageBox::Icon::Exclamation);
        QLineEdit* field = problem->field == ContactEdit::Field::Phone1 ? m_phone1 : m_phone2;
        field->setFocus();
        field->selectAll();
        return;
    }
    m_checked = fields;
    QDialog::accept();
}

bool ContactDlg::Edit(ContactFields& fields, bool isNew, IMessageBox& boxes, QWidget* parent) {
    ContactDlg dialog(fields, isNew, boxes, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    fields = dialog.Fields();
    return true;
}
