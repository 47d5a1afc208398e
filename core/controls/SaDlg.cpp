#include "controls/SaDlg.h"

#include "controls/ControlsText.h"
#include "controls/Pictures.h"
#include "frontend/SaNotice.h"
#include "model/CoreCaptions.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

namespace Ids = CoreCaptions::Sa;

QString Caption(int control) {
    return CoreCaption(Ids::kDialog, control);
}

} // namespace

CSaDlg::CSaDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("saDialog"));
    setWindowTitle(Caption(CoreCaptions::kCaption));

    m_iconLabel = new QLabel(this);
    m_iconLabel->setObjectName(QStringLiteral("iconLabel"));
    m_iconLabel->setAccessibleName(QStringLiteral("dialog-warning"));
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_iconLabel->setPixmap(ThemeIcon(QStringLiteral("dialog-warning")).pixmap(size, size));
    m_iconLabel->setAlignment(Qt::AlignTop);

    auto* text = new QLabel(Caption(Ids::kText), this);
    text->setObjectName(QStringLiteral("textLabel"));
    text->setAccessibleName(text->text());
    text->setWordWrap(true);
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 44);

    m_dontShowAgainCheck = new QCheckBox(Caption(Ids::kDoNotShowAgain), this);
    m_dontShowAgainCheck->setObjectName(QStringLiteral("dontShowAgainCheckBox"));
    m_dontShowAgainCheck->setAccessibleName(Spoken(Caption(Ids::kDoNotShowAgain)));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("dialogButtonBox"));
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setText(Caption(CoreCaptions::kOk));
    ok->setAccessibleName(Spoken(Caption(CoreCaptions::kOk)));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSaDlg::accept);

    auto* message = new QHBoxLayout;
    message->addWidget(m_iconLabel);
    message->addWidget(text, 1);
    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    main->addLayout(message);
    main->addWidget(m_dontShowAgainCheck);
    main->addWidget(buttons);
}

int CSaDlg::DoModal() {
    return exec();
}

void CSaDlg::accept() {
    m_dontShowAgain = m_dontShowAgainCheck->isChecked() ? 1 : 0;
    QDialog::accept();
}

bool CSaDlg::Offer(CSmsUserInfo& user, QWidget* parent) {
    return SaNotice::Offer(user, [parent] {
        CSaDlg dialog(parent);
        const bool accepted = dialog.DoModal() == QDialog::Accepted;
        return SaNotice::Answer{accepted, dialog.DontShowAgain() != 0};
    });
}
