#include "windows/ServiceActivationDlg.h"

#include "controls/ControlsText.h"
#include "logic/SettingsPageCaptions.h"
#include "logic/TextTrim.h"
#include "windows/DialogButtons.h"
#include "windows/ProgramText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::Activation;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

// The check strings of the service are short; a paste of a whole SMS is cut.
constexpr int kMaxCodeLength = 20;

} // namespace

ServiceActivationDlg::ServiceActivationDlg(const std::string& terms, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("serviceActivationDialog"));
    setWindowTitle(Caption(ProgramCaptions::kCaption));
    auto* main = new QVBoxLayout(this);

    auto* termsCaption = new QLabel(Caption(Ids::kTermsCaption), this);
    main->addWidget(termsCaption);
    m_terms = new QPlainTextEdit(this);
    m_terms->setObjectName(QStringLiteral("termsTextEdit"));
    m_terms->setAccessibleName(Caption(Ids::kTerms));
    m_terms->setReadOnly(true);
    m_terms->setPlainText(ToQString(terms).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_terms->setMinimumSize(460, 220);
    termsCaption->setBuddy(m_terms);
    main->addWidget(m_terms, 1);

    auto* explanation = new QLabel(Caption(Ids::kExplanation), this);
    explanation->setObjectName(QStringLiteral("explanationLabel"));
    explanation->setWordWrap(true);
    main->addWidget(explanation);

    auto* row = new QHBoxLayout;
    auto* codeLabel = new QLabel(Caption(Ids::kCodeLabel), this);
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("codeLineEdit"));
    m_code->setAccessibleName(Spoken(codeLabel->text()));
    m_code->setMaxLength(kMaxCodeLength);
    codeLabel->setBuddy(m_code);
    row->addWidget(codeLabel);
    row->addWidget(m_code, 1);
    main->addLayout(row);

    const DialogButtons buttons = OkCancelButtons(this, Ids::kDialog);
    buttons.accept->setEnabled(false);
    connect(
        m_code, &QLineEdit::textChanged, buttons.accept,
        [ok = buttons.accept](const QString& text) { ok->setEnabled(!text.trimmed().isEmpty()); });
    main->addWidget(buttons.box);
    m_code->setFocus();
}

std::string ServiceActivationDlg::Code() const {
    return TrimBlanks(ToAnsi(m_code->text()));
}
