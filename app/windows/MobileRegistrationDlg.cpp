#include "windows/MobileRegistrationDlg.h"

#include "controls/ControlsText.h"
#include "controls/WindowCallRunner.h"
#include "logic/ProgramCaptions.h"
#include "windows/ProgramText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <utility>

namespace {

namespace Ids = ProgramCaptions::MobileRegistration;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

template <class W> W* Named(W* widget, const char* name, const QString& caption) {
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(Spoken(caption));
    return widget;
}

} // namespace

MobileRegistrationDlg::MobileRegistrationDlg(IMobileAccount& account, const StringTable& strings,
                                             IMessageBox& boxes, QWidget* parent,
                                             std::unique_ptr<ICallRunner> runner)
    : QDialog(parent) {
    setObjectName(QStringLiteral("mobileRegistrationDialog"));
    setWindowTitle(Caption(ProgramCaptions::kCaption));
    CreateControls();
    LayOut();
    m_runner = runner ? std::move(runner) : std::make_unique<WindowCallRunner>(this);
    m_flow = std::make_unique<MobileRegistrationFlow>(account, strings, boxes, *m_runner);
    m_flow->SetChangedHandler([this] { ShowView(); });
    Connect();
    ShowView();
    m_numberEdit->setFocus();
}

MobileRegistrationDlg::~MobileRegistrationDlg() = default;

void MobileRegistrationDlg::CreateControls() {
    m_numberEdit = Named(new QLineEdit(this), "numberLineEdit", Caption(Ids::kNumberLabel));
    m_numberEdit->setMinimumWidth(m_numberEdit->fontMetrics().averageCharWidth() * 24);
    m_codeEdit = Named(new QLineEdit(this), "codeLineEdit", Caption(Ids::kCodeLabel));
    m_codeEdit->setMaxLength(static_cast<int>(MobileRegistrationFlow::kMaxCodeLength));
    m_sendButton = Named(new QPushButton(Caption(Ids::kSendRequest), this), "sendRequestButton",
                         Caption(Ids::kSendRequest));
    m_verifyButton =
        Named(new QPushButton(Caption(Ids::kVerify), this), "verifyButton", Caption(Ids::kVerify));
}

void MobileRegistrationDlg::LayOut() {
    const auto label = [this](int control, const char* name, QWidget* buddy) {
        auto* caption = Named(new QLabel(Caption(control), this), name, Caption(control));
        caption->setBuddy(buddy);
        return caption;
    };
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->addWidget(label(Ids::kNumberLabel, "numberLabel", m_numberEdit), 0, 0);
    grid->addWidget(m_numberEdit, 0, 1);
    grid->addWidget(m_sendButton, 0, 2);
    grid->addWidget(label(Ids::kCodeLabel, "codeLabel", m_codeEdit), 1, 0);
    grid->addWidget(m_codeEdit, 1, 1);
    grid->addWidget(m_verifyButton, 1, 2);

    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("dialogButtonBox"));
    m_closeButton =
        buttons->addButton(Caption(ProgramCaptions::kCancel), QDialogButtonBox::RejectRole);
    Named(m_closeButton, "closeButton", m_closeButton->text());
    connect(buttons, &QDialogButtonBox::rejected, this, &MobileRegistrationDlg::reject);

    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    main->addLayout(grid);
    main->addWidget(buttons);

    setTabOrder(m_numberEdit, m_sendButton);
    setTabOrder(m_sendButton, m_codeEdit);
    setTabOrder(m_codeEdit, m_verifyButton);
    setTabOrder(m_verifyButton, m_closeButton);
}

void MobileRegistrationDlg::Connect() {
    connect(m_numberEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_flow->OnChangeNumber(ToAnsi(text)); });
    connect(m_codeEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_flow->OnChangeCode(ToAnsi(text)); });
    connect(m_sendButton, &QPushButton::clicked, this, [this] { m_flow->OnSendRequest(); });
    connect(m_verifyButton, &QPushButton::clicked, this, [this] { m_flow->OnVerify(); });
}

void MobileRegistrationDlg::reject() {
    m_runner->Cancel();
    // Once the flow agrees it has ended, and ShowView closes the window.
    m_flow->OnClose();
}

void MobileRegistrationDlg::ShowView() {
    const MobileRegDlgView& view = m_flow->View();
    const bool entering = view.EntersNumber();
    m_numberEdit->setEnabled(entering);
    m_sendButton->setEnabled(entering);
    m_codeEdit->setEnabled(view.WaitsForCode());
    m_verifyButton->setEnabled(view.WaitsForCode());
    if (ToAnsi(m_codeEdit->text()) != view.code) {
        const QSignalBlocker blocker(m_codeEdit);
        m_codeEdit->setText(ToQString(view.code));
    }
    m_sendButton->setDefault(entering);
    m_verifyButton->setDefault(view.WaitsForCode());
    if (entering != m_wasEntering && !m_flow->GetResult()) {
        m_wasEntering = entering;
        (entering ? m_numberEdit : m_codeEdit)->setFocus();
    }

    const auto result = m_flow->GetResult();
    if (result && !m_ended) {
        m_ended = true;
        done(*result == MobileRegistrationFlow::Result::Ok ? Accepted : Rejected);
    }
}
