#include "windows/GroupDlg.h"

#include "controls/ControlsText.h"
#include "logic/AddressPageCaptions.h"
#include "logic/ProgramStrings.h"
#include "windows/DialogButtons.h"
#include "windows/ProgramText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::GroupDialog;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

} // namespace

GroupDlg::GroupDlg(const std::string& name, bool isNew, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("groupDialog"));
    const auto title = ProgramStrings().GetUtf8(isNew ? ProgramString::NewGroupTitle
                                                      : ProgramString::EditGroupTitle);
    setWindowTitle(title ? FromUtf8(std::string(*title)) : QString());
    auto* main = new QVBoxLayout(this);
    auto* label = new QLabel(Caption(Ids::kNameLabel), this);
    m_name = new QLineEdit(ToQString(name), this);
    m_name->setObjectName(QStringLiteral("nameLineEdit"));
    m_name->setAccessibleName(Spoken(label->text()));
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 36);
    label->setBuddy(m_name);
    main->addWidget(label);
    main->addWidget(m_name);

    const DialogButtons buttons = OkCancelButtons(this, Ids::kDialog);
    main->addWidget(buttons.box);
    main->setSizeConstraint(QLayout::SetFixedSize);
    m_name->setFocus();
    m_name->selectAll();
}

std::string GroupDlg::Name() const {
    return ToAnsi(m_name->text());
}

bool GroupDlg::Edit(std::string& name, bool isNew, QWidget* parent) {
    GroupDlg dialog(name, isNew, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = dialog.Name();
    return true;
}
