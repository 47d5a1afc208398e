#include "windows/ExitConfirmDlg.h"

#include "controls/ControlsText.h"
#include "logic/ProgramCaptions.h"
#include "model/SmsConfig.h"
#include "windows/ProgramText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::Exit;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

} // namespace

ExitConfirmDlg::ExitConfirmDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("exitConfirmDialog"));
    setWindowTitle(Caption(ProgramCaptions::kCaption));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("iconLabel"));
    icon->setAccessibleName(QStringLiteral("dialog-question"));
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    // The style draws its own question mark where the desktop's theme has none.
    QIcon picture = QIcon::fromTheme(QStringLiteral("dialog-question"));
    if (picture.isNull())
        picture = style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this);
    icon->setPixmap(picture.pixmap(size, size));
    icon->setAlignment(Qt::AlignTop);

    auto* question = new QLabel(Caption(Ids::kQuestion), this);
    question->setObjectName(QStringLiteral("questionLabel"));
    question->setAccessibleName(question->text());

    m_dontAskAgainCheck = new QCheckBox(Caption(Ids::kDontAskAgain), this);
    m_dontAskAgainCheck->setObjectName(QStringLiteral("dontAskAgainCheckBox"));
    m_dontAskAgainCheck->setAccessibleName(Spoken(Caption(Ids::kDontAskAgain)));

    QPushButton* yes = AddButton(Ids::kYes, "yesButton");
    QPushButton* no = AddButton(Ids::kNo, "noButton");
    connect(yes, &QPushButton::clicked, this, &ExitConfirmDlg::accept);
    connect(no, &QPushButton::clicked, this, &ExitConfirmDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(yes);
    buttons->addWidget(no);

    auto* message = new QHBoxLayout;
    message->addWidget(icon);
    message->addWidget(question, 1);
    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    main->addLayout(message);
    main->addWidget(m_dontAskAgainCheck);
    main->addLayout(buttons);

    // "Nie" is the safe answer: it has the focus and takes Enter.
    no->setDefault(true);
    no->setFocus();
    setTabOrder(m_dontAskAgainCheck, yes);
    setTabOrder(yes, no);
}

QPushButton* ExitConfirmDlg::AddButton(int control, const char* name) {
    auto* button = new QPushButton(Caption(control), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(Spoken(Caption(control)));
    return button;
}

ExitAnswer ExitConfirmDlg::Ask() {
    const bool yes = exec() == QDialog::Accepted;
    return {yes, m_dontAskAgainCheck->isChecked()};
}

bool ExitConfirmDlg::ExitButton(CSmsConfig& config, QWidget* parent) {
    const ExitDecision decision = DecideExit(config.ConfirmExit(), [parent] {
        ExitConfirmDlg dialog(parent);
        return dialog.Ask();
    });
    config.SetConfirmExit(decision.confirmExit);
    return decision.exit;
}
