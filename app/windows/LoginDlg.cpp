#include "windows/LoginDlg.h"

#include "controls/ControlsText.h"
#include "logic/LoginFlow.h"
#include "logic/ProgramCaptions.h"
#include "model/SmsUserInfo.h" // LoginFlow.h holds one by unique_ptr
#include "windows/ProgramText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::Login;

constexpr int kDownShift = 78;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

} // namespace

LoginDlg::LoginDlg(const LoginDlgView& view, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("loginDialog"));
    setWindowTitle(Caption(ProgramCaptions::kCaption));
    CreateControls();
    LayOut();

    m_nameEdit->setText(ToQString(view.name));
    m_passwordEdit->setText(ToQString(view.password));
    // Only what the user does counts as an edit, not the text the dialog starts with.
    connect(m_passwordEdit, &QLineEdit::textEdited, this, [this] { m_passwordEdited = true; });

    QLineEdit* focused = view.focusPassword ? m_passwordEdit : m_nameEdit;
    focused->setFocus();
    focused->selectAll();
}

void LoginDlg::CreateControls() {
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameLineEdit"));
    m_nameEdit->setAccessibleName(Spoken(Caption(Ids::kNameLabel)));
    m_nameEdit->setMaxLength(static_cast<int>(LoginFlow::kMaxNameLength));

    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("passwordLineEdit"));
    m_passwordEdit->setAccessibleName(Spoken(Caption(Ids::kPasswordLabel)));
    m_passwordEdit->setMaxLength(static_cast<int>(LoginFlow::kMaxPasswordLength));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_passwordEdit->setMinimumWidth(m_passwordEdit->fontMetrics().averageCharWidth() * 30);
}

void LoginDlg::LayOut() {
    auto* form = new QFormLayout;
    const auto addRow = [&](int label, const char* name, QLineEdit* edit) {
        auto* caption = new QLabel(Caption(label), this);
        caption->setObjectName(QLatin1String(name));
        caption->setAccessibleName(Spoken(caption->text()));
        caption->setBuddy(edit);
        form->addRow(caption, edit);
    };
    addRow(Ids::kNameLabel, "nameLabel", m_nameEdit);
    addRow(Ids::kPasswordLabel, "passwordLabel", m_passwordEdit);

    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("dialogButtonBox"));
    m_okButton = buttons->addButton(Caption(ProgramCaptions::kOk), QDialogButtonBox::AcceptRole);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setAccessibleName(Spoken(m_okButton->text()));
    m_okButton->setDefault(true);
    m_cancelButton =
        buttons->addButton(Caption(ProgramCaptions::kCancel), QDialogButtonBox::RejectRole);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAccessibleName(Spoken(m_cancelButton->text()));
    connect(buttons, &QDialogButtonBox::accepted, this, &LoginDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LoginDlg::reject);

    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    main->addLayout(form);
    main->addWidget(buttons);

    setTabOrder(m_nameEdit, m_passwordEdit);
    setTabOrder(m_passwordEdit, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
}

std::optional<LoginDlgAnswer> LoginDlg::Answer() const {
    if (result() != Accepted)
        return std::nullopt;
    return LoginDlgAnswer{ToAnsi(m_nameEdit->text()), ToAnsi(m_passwordEdit->text()),
                          m_passwordEdited};
}

void LoginDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        Place();
    }
}

void LoginDlg::Place() {
    QRect area;
    if (parentWidget())
        area = parentWidget()->window()->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    else
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft() + QPoint(0, kDownShift));
}
