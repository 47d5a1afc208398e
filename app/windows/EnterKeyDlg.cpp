#include "windows/EnterKeyDlg.h"

#include "controls/ControlsText.h"
#include "logic/SettingsPageCaptions.h"
#include "model/SmsUserInfo.h"
#include "windows/DialogButtons.h"
#include "windows/ProgramText.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::EnterKey;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

} // namespace

EnterKeyDlg::EnterKeyDlg(int mode, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("enterKeyDialog"));
    setWindowTitle(Caption(ProgramCaptions::kCaption));
    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    auto* box = new QGroupBox(Caption(Ids::kBox), this);
    box->setObjectName(QStringLiteral("enterKeyGroupBox"));
    auto* boxLayout = new QVBoxLayout(box);
    m_modes = new QButtonGroup(this);
    const struct {
        int mode;
        int control;
        const char* name;
    } choices[] = {{CSmsUserInfo::EnterNewLine, Ids::kNewLine, "newLineRadioButton"},
                   {CSmsUserInfo::EnterSends, Ids::kSend, "sendRadioButton"}};
    for (const auto& choice : choices) {
        auto* radio = new QRadioButton(Caption(choice.control), box);
        radio->setObjectName(QLatin1String(choice.name));
        radio->setAccessibleName(Spoken(radio->text()));
        m_modes->addButton(radio, choice.mode);
        boxLayout->addWidget(radio);
    }
    QAbstractButton* current = m_modes->button(mode);
    (current ? current : m_modes->button(CSmsUserInfo::EnterNewLine))->setChecked(true);
    m_modes->checkedButton()->setFocus();
    main->addWidget(box);

    const DialogButtons buttons = OkCancelButtons(this, Ids::kDialog);
    main->addWidget(buttons.box);
}

int EnterKeyDlg::Mode() const {
    return m_modes->checkedId();
}

std::optional<int> EnterKeyDlg::Ask(int mode, QWidget* parent) {
    EnterKeyDlg dialog(mode, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Mode();
}
