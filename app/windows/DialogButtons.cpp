#include "windows/DialogButtons.h"

#include "logic/ProgramCaptions.h"
#include "windows/ProgramText.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace {

QPushButton* AddButton(QDialogButtonBox* box, int dialogId, int control,
                       QDialogButtonBox::ButtonRole role, const char* name) {
    QPushButton* button = box->addButton(ProgramCaption(dialogId, control), role);
    button->setObjectName(QLatin1String(name));
    return button;
}

DialogButtons Buttons(QDialog* dialog, int dialogId, int acceptControl, const char* acceptName,
                      int rejectControl, const char* rejectName) {
    DialogButtons buttons;
    buttons.box = new QDialogButtonBox(dialog);
    buttons.box->setObjectName(QStringLiteral("dialogButtonBox"));
    buttons.accept =
        AddButton(buttons.box, dialogId, acceptControl, QDialogButtonBox::AcceptRole, acceptName);
    buttons.accept->setDefault(true);
    buttons.reject =
        AddButton(buttons.box, dialogId, rejectControl, QDialogButtonBox::RejectRole, rejectName);
    QObject::connect(buttons.box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons.box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

DialogButtons OkCancelButtons(QDialog* dialog, int dialogId) {
    return Buttons(dialog, dialogId, ProgramCaptions::kOk, "okButton", ProgramCaptions::kCancel,
                   "cancelButton");
}

DialogButtons YesNoButtons(QDialog* dialog, int dialogId) {
    return Buttons(dialog, dialogId, ProgramCaptions::kYes, "yesButton", ProgramCaptions::kNo,
                   "noButton");
}
