#include "controls/CreditDlg.h"

#include "controls/ControlsText.h"
#include "controls/WidgetMessageBox.h"
#include "controls/WindowCallRunner.h"
#include "frontend/UserCreditAccount.h"
#include "model/CoreCaptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace {

namespace Ids = CoreCaptions::Credit;

QString Caption(int control) {
    return CoreCaption(Ids::kDialog, control);
}

bool Shows(const QComboBox& combo, const std::vector<CreditItem>& items) {
    if (combo.count() != static_cast<int>(items.size()))
        return false;
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.itemText(i) != FromUtf8(items[i].text) ||
            combo.itemData(i).toUInt() != items[i].value)
            return false;
    }
    return true;
}

// Fills the list when its items changed (keeping the user's place otherwise) and selects.
void ShowItems(QComboBox& combo, const std::vector<CreditItem>& items, int selected) {
    const QSignalBlocker blocker(combo);
    if (!Shows(combo, items)) {
        combo.clear();
        for (const CreditItem& item : items)
            combo.addItem(FromUtf8(item.text), item.value);
    }
    combo.setCurrentIndex(selected);
}

} // namespace

CCreditDlg::CCreditDlg(CSmsUserInfo* user, const StringTable& hostStrings, ServiceErrorIds errorIds,
                       QWidget* parent)
    : QDialog(parent), m_ownAccount(std::make_unique<UserCreditAccount>(*user)),
      m_ownBoxes(std::make_unique<WidgetMessageBox>(this, QApplication::applicationDisplayName())) {
    Build(*m_ownAccount, ServiceErrorText(hostStrings, errorIds), *m_ownBoxes, nullptr);
}

CCreditDlg::CCreditDlg(ICreditAccount& account, const StringTable& hostStrings,
                       ServiceErrorIds errorIds, IMessageBox& boxes, QWidget* parent,
                       std::unique_ptr<ICallRunner> runner)
    : QDialog(parent) {
    Build(account, ServiceErrorText(hostStrings, errorIds), boxes, std::move(runner));
}

CCreditDlg::~CCreditDlg() = default;

void CCreditDlg::Build(ICreditAccount& account, ServiceErrorText errors, IMessageBox& boxes,
                       std::unique_ptr<ICallRunner> runner) {
    setObjectName(QStringLiteral("creditDialog"));
    setWindowTitle(Caption(CoreCaptions::kCaption));
    CreateControls();
    LayOut();
    m_runner = runner ? std::move(runner) : std::make_unique<WindowCallRunner>(this);
    m_flow = std::make_unique<CreditReloadFlow>(account, std::move(errors), boxes, *m_runner);
    m_flow->SetChangedHandler([this] { ShowView(); });
    Connect();
    ShowView();
}

void CCreditDlg::CreateControls() {
    const auto named = [this](QWidget* widget, const char* name, const QString& caption) {
        widget->setObjectName(QLatin1String(name));
        widget->setAccessibleName(Spoken(caption));
    };
    m_explanationLabel = new QLabel(Caption(Ids::kExplanation), this);
    m_explanationLabel->setWordWrap(true);
    m_explanationLabel->setMinimumWidth(m_explanationLabel->fontMetrics().averageCharWidth() * 48);
    named(m_explanationLabel, "explanationLabel", Caption(Ids::kExplanation));

    m_amountLabel = new QLabel(Caption(Ids::kAmountLabel), this);
    named(m_amountLabel, "amountLabel", Caption(Ids::kAmountLabel));
    m_amountCombo = new QComboBox(this);
    named(m_amountCombo, "amountComboBox", Caption(Ids::kAmountLabel));
    m_amountLabel->setBuddy(m_amountCombo);

    m_clubCheck = new QCheckBox(Caption(Ids::kClub), this);
    named(m_clubCheck, "clubCheckBox", Caption(Ids::kClub));

    m_pointsLabel = new QLabel(Caption(Ids::kPointsLabel), this);
    named(m_pointsLabel, "pointsLabel", Caption(Ids::kPointsLabel));
    m_pointsCombo = new QComboBox(this);
    named(m_pointsCombo, "pointsComboBox", Caption(Ids::kPointsLabel));
    m_pointsLabel->setBuddy(m_pointsCombo);

    m_reloadButton = new QPushButton(Caption(Ids::kReload), this);
    named(m_reloadButton, "reloadButton", Caption(Ids::kReload));

    m_codeLabel = new QLabel(Caption(Ids::kCodeLabel), this);
    named(m_codeLabel, "codeLabel", Caption(Ids::kCodeLabel));
    m_codeEdit = new QLineEdit(this);
    m_codeEdit->setMaxLength(static_cast<int>(CreditReloadFlow::kMaxCodeLength));
    named(m_codeEdit, "codeLineEdit", Caption(Ids::kCodeLabel));
    m_codeLabel->setBuddy(m_codeEdit);

    m_verifyButton = new QPushButton(Caption(Ids::kVerify), this);
    named(m_verifyButton, "verifyButton", Caption(Ids::kVerify));
}

void CCreditDlg::LayOut() {
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->addWidget(m_amountLabel, 0, 0);
    grid->addWidget(m_amountCombo, 0, 1);
    grid->addWidget(m_clubCheck, 1, 1);
    grid->addWidget(m_pointsLabel, 2, 0);
    grid->addWidget(m_pointsCombo, 2, 1);
    grid->addWidget(m_reloadButton, 3, 1, Qt::AlignRight);
    grid->addWidget(m_codeLabel, 4, 0);
    grid->addWidget(m_codeEdit, 4, 1);
    grid->addWidget(m_verifyButton, 5, 1, Qt::AlignRight);

    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("dialogButtonBox"));
    m_closeButton =
        buttons->addButton(Caption(CoreCaptions::kCancel), QDialogButtonBox::RejectRole);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setAccessibleName(Spoken(Caption(CoreCaptions::kCancel)));
    connect(buttons, &QDialogButtonBox::rejected, this, &CCreditDlg::reject);

    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    main->addWidget(m_explanationLabel);
    main->addLayout(grid);
    main->addWidget(buttons);

    setTabOrder(m_amountCombo, m_clubCheck);
    setTabOrder(m_clubCheck, m_pointsCombo);
    setTabOrder(m_pointsCombo, m_reloadButton);
    setTabOrder(m_reloadButton, m_codeEdit);
    setTabOrder(m_codeEdit, m_verifyButton);
    setTabOrder(m_verifyButton, m_closeButton);
}

void CCreditDlg::Connect() {
    connect(m_amountCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_flow->OnSelchangeComboAmount(index); });
    connect(m_pointsCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_flow->OnSelchangeComboPoints(index); });
    connect(m_clubCheck, &QCheckBox::toggled, this,
            [this](bool ticked) { m_flow->OnCheckKvclub(ticked); });
    connect(m_codeEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_flow->OnChangeCode(ToAnsi(text)); });
    connect(m_reloadButton, &QPushButton::clicked, this, [this] { m_flow->OnButtonRecharge(); });
    connect(m_verifyButton, &QPushButton::clicked, this, [this] { m_flow->OnButtonCheck(); });
}

int CCreditDlg::DoModal() {
    return exec();
}

void CCreditDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    // From the event loop, so a dialog that ends at once (the list could not be fetched) ends
    // inside its own exec.
    QTimer::singleShot(0, this, [this] { m_flow->OnInitDialog(); });
}

void CCreditDlg::reject() {
    m_runner->Cancel();
    m_flow->OnCancel();
}

void CCreditDlg::ShowView() {
    const CreditDlgView& view = m_flow->View();
    ShowItems(*m_amountCombo, view.amounts, view.amount);
    ShowItems(*m_pointsCombo, view.points, view.point);
    {
        const QSignalBlocker blocker(m_clubCheck);
        m_clubCheck->setChecked(view.club);
    }
    m_pointsLabel->setVisible(view.club);
    m_pointsCombo->setVisible(view.club);

    m_amountCombo->setEnabled(view.choosing);
    m_clubCheck->setEnabled(view.choosing);
    m_pointsCombo->setEnabled(view.choosing);
    m_reloadButton->setEnabled(view.CanReload());
    m_codeEdit->setEnabled(!view.choosing);
    m_verifyButton->setEnabled(!view.choosing);
    if (ToAnsi(m_codeEdit->text()) != view.code) {
        const QSignalBlocker blocker(m_codeEdit);
        m_codeEdit->setText(ToQString(view.code));
    }
    m_reloadButton->setDefault(view.choosing);
    m_verifyButton->setDefault(!view.choosing);
    if (view.choosing != m_wasChoosing) {
        m_wasChoosing = view.choosing;
        (view.choosing ? static_cast<QWidget*>(m_amountCombo) : m_codeEdit)->setFocus();
    }

    const auto result = m_flow->GetResult();
    if (result && !m_ended) {
        m_ended = true;
        done(*result == CreditReloadFlow::Result::Ok ? Accepted : Rejected);
    }
}
