#include "controls/SyncErrorDlg.h"

#include "controls/ControlsText.h"
#include "controls/Pictures.h"
#include "model/CoreCaptions.h"
#include "model/CoreTexts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

namespace Ids = CoreCaptions::SyncErrors;

QString Caption(int control) {
    return CoreCaption(Ids::kDialog, control);
}

// The lines as the edit shows them: one line per error, no empty line after the last.
QString ShownLines(QString lines) {
    lines.remove(QLatin1Char('\r'));
    while (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    return lines;
}

} // namespace

SyncErrorDlg::SyncErrorDlg(const QString& lines, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("syncErrorDialog"));
    setWindowTitle(Caption(CoreCaptions::kCaption));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("iconLabel"));
    icon->setAccessibleName(QStringLiteral("dialog-warning"));
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(ThemeIcon(QStringLiteral("dialog-warning")).pixmap(size, size));
    icon->setAlignment(Qt::AlignTop);

    auto* text = new QLabel(Caption(Ids::kText), this);
    text->setObjectName(QStringLiteral("textLabel"));
    text->setAccessibleName(text->text());
    text->setWordWrap(true);
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 56);

    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("dialogButtonBox"));
    QPushButton* ok = buttons->addButton(Caption(CoreCaptions::kOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setAccessibleName(Spoken(ok->text()));
    ok->setDefault(true);
    m_toggle = buttons->addButton(QString(), QDialogButtonBox::ActionRole);
    m_toggle->setObjectName(QStringLiteral("detailsButton"));
    m_toggle->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_toggle, &QPushButton::clicked, this, &SyncErrorDlg::Toggle);

    m_lines = new QPlainTextEdit(ShownLines(lines), this);
    m_lines->setObjectName(QStringLiteral("errorsPlainTextEdit"));
    m_lines->setAccessibleName(Caption(CoreCaptions::kCaption));
    m_lines->setReadOnly(true);
    m_lines->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_lines->setMinimumHeight(m_lines->fontMetrics().lineSpacing() * 7);
    m_lines->hide();

    auto* message = new QHBoxLayout;
    message->addWidget(icon);
    message->addWidget(text, 1);
    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    main->addLayout(message);
    main->addWidget(buttons);
    main->addWidget(m_lines);
    ShowToggleCaption();
    ok->setFocus();
}

bool SyncErrorDlg::IsExpanded() const {
    return !m_lines->isHidden();
}

void SyncErrorDlg::Toggle() {
    m_lines->setVisible(!IsExpanded());
    ShowToggleCaption();
}

void SyncErrorDlg::ShowToggleCaption() {
    const CoreString id = IsExpanded() ? CoreString::SyncHideDetails : CoreString::SyncShowDetails;
    m_toggle->setText(FromUtf8(CoreTexts::Utf8(id)));
    m_toggle->setAccessibleName(Spoken(m_toggle->text()));
}
