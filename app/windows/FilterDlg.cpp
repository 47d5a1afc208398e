#include "windows/FilterDlg.h"

#include "controls/ControlsText.h"
#include "frontend/ArchiveRows.h"
#include "logic/PageDialogCaptions.h"
#include "windows/DialogButtons.h"
#include "windows/ProgramText.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::Filter;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

struct Choice {
    int mode;
    int control;
    const char* name;
};
constexpr Choice kChoices[] = {
    {ArchiveRows::All, Ids::kAll, "allRadioButton"},
    {ArchiveRows::OnlyDelivered, Ids::kDelivered, "deliveredRadioButton"},
    {ArchiveRows::OnlyUndelivered, Ids::kUndelivered, "undeliveredRadioButton"},
    {ArchiveRows::OnlyScheduled, Ids::kScheduled, "scheduledRadioButton"},
};

} // namespace

FilterDlg::FilterDlg(int mode, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("filterDialog"));
    setWindowTitle(Caption(ProgramCaptions::kCaption));
    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    m_modes = new QButtonGroup(this);
    for (const Choice& choice : kChoices) {
        auto* radio = new QRadioButton(Caption(choice.control), this);
        radio->setObjectName(QLatin1String(choice.name));
        radio->setAccessibleName(Spoken(radio->text()));
        m_modes->addButton(radio, choice.mode);
        main->addWidget(radio);
    }
    // A mode of no button shows everything, as the page does with it.
    QAbstractButton* current = m_modes->button(mode);
    (current ? current : m_modes->button(ArchiveRows::All))->setChecked(true);
    m_modes->checkedButton()->setFocus();

    const DialogButtons buttons = OkCancelButtons(this, Ids::kDialog);
    main->addWidget(buttons.box);
}

int FilterDlg::Mode() const {
    return m_modes->checkedId();
}

std::optional<int> FilterDlg::Ask(int mode, QWidget* parent) {
    FilterDlg dialog(mode, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Mode();
}
