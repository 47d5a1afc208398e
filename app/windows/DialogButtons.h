#pragma once

class QDialog;
class QDialogButtonBox;
class QPushButton;

// A dialog's row of an accepting button (the default, Enter) and a rejecting one (Escape),
// captioned from the dialog's captions and wired to accept and reject.
struct DialogButtons {
    QDialogButtonBox* box = nullptr;
    QPushButton* accept = nullptr;
    QPushButton* reject = nullptr;
};

// OK and Cancel ("okButton", "cancelButton"), or the dialog's Yes and No ("yesButton",
// "noButton").
DialogButtons OkCancelButtons(QDialog* dialog, int dialogId);
DialogButtons YesNoButtons(QDialog* dialog, int dialogId);
