#include "windows/SettingsPage.h"

#include "controls/ControlsText.h"
#include "logic/LanguageList.h"
#include "logic/LanguageMap.h"
#include "logic/ProgramStrings.h"
#include "logic/SettingsPageCaptions.h"
#include "model/SmsConfig.h"
#include "windows/ProgramText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <filesystem>

namespace {

namespace Ids = ProgramCaptions::Settings;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

QString Text(int id) {
    return FromUtf8(std::string(ProgramStrings().GetUtf8(id).value_or("")));
}

template <class Button> Button* Make(int control, const char* name, QWidget* parent) {
    auto* button = new Button(Caption(control), parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(Spoken(button->text()));
    return button;
}

QLineEdit* NumberField(int control, const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(Caption(control));
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), field));
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 8 + 16);
    return field;
}

QCheckBox* CheckBox(const QString& text, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(Spoken(text));
    return box;
}

std::string ProgramDir(const std::string& programPath) {
    const std::string folder = std::filesystem::path(programPath).parent_path().string();
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

CSmsConfig& Config() {
    CSmsConfig* config = CSmsConfig::GetInstance();
    return config ? *config : *CSmsConfig::CreateInstance();
}

} // namespace

SettingsPage::SettingsPage(CSmsUserInfo& user, IMessageBox& boxes, ISettingsPageDialogs& dialogs,
                           const std::string& programPath, QWidget* parent)
    : QWidget(parent), m_user(user), m_boxes(boxes), m_dialogs(dialogs), m_autostart(programPath),
      m_languages(ProgramLanguages(ProgramDir(programPath), ProgramVersion())),
      m_logic(user, Config(), boxes, m_calls) {
    setObjectName(QStringLiteral("settingsPage"));
    Build();
    m_logic.SetChangedHandler([this] { ShowFields(); });
    m_logic.SetEndHandler([this] { emit programEndRequested(); });
    Reload();
}

QString SettingsPage::LanguageName(std::uint16_t lcid) {
    const std::optional<std::string> english = EnglishLanguageName(lcid);
    QString name;
    for (int language = QLocale::AnyLanguage + 1; english && language <= QLocale::LastLanguage;
         ++language) {
        const auto candidate = static_cast<QLocale::Language>(language);
        if (QLocale::languageToString(candidate).compare(QString::fromStdString(*english),
                                                         Qt::CaseInsensitive) == 0) {
            name = QLocale(candidate).nativeLanguageName();
            break;
        }
    }
    if (name.isEmpty())
        name = QString::fromStdString(english.value_or(std::to_string(lcid)));
    return name.left(1).toUpper() + name.mid(1);
}

void SettingsPage::Build() {
    auto* grid = new QGridLayout(this);
    grid->addWidget(BuildArchiveBox(), 0, 0);
    grid->addWidget(BuildServiceBox(), 1, 0);
    grid->addWidget(BuildUsersBox(), 0, 1);
    grid->addWidget(BuildProgramBox(), 1, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    for (QCheckBox* box : {m_autoDelete, m_doArchive, m_deliveryReport, m_showNotice,
                           m_savePassword, m_minToTray, m_desktopNotifications})
        connect(box, &QCheckBox::toggled, this, &SettingsPage::Collect);
    for (QRadioButton* radio :
         {m_byAge, m_byCount, m_monthlyPlan, m_portalCredits, m_severalUsers, m_oneUser})
        connect(radio, &QRadioButton::toggled, this, &SettingsPage::Collect);
    for (QLineEdit* field : {m_maxDays, m_maxItems, m_name})
        connect(field, &QLineEdit::textEdited, this, &SettingsPage::Collect);
    connect(m_language, &QComboBox::currentIndexChanged, this, &SettingsPage::Collect);
    connect(m_autostartBox, &QCheckBox::clicked, this, &SettingsPage::ApplyAutostart);
    connect(m_activation, &QPushButton::clicked, this, [this] {
        Collect();
        m_logic.ToggleService(m_dialogs);
    });
    connect(m_recharge, &QPushButton::clicked, this, [this] { m_logic.RechargeCredit(m_dialogs); });
}

QGroupBox* SettingsPage::BuildArchiveBox() {
    auto* box = new QGroupBox(Caption(Ids::kArchiveBox), this);
    box->setObjectName(QStringLiteral("archiveGroupBox"));
    m_doArchive = Make<QCheckBox>(Ids::kDoArchive, "doArchiveCheckBox", box);
    m_deliveryReport = Make<QCheckBox>(Ids::kDeliveryReport, "deliveryReportCheckBox", box);
    m_autoDelete = Make<QCheckBox>(Ids::kAutoDelete, "autoDeleteCheckBox", box);
    m_byAge = Make<QRadioButton>(Ids::kByAge, "byAgeRadioButton", box);
    m_byCount = Make<QRadioButton>(Ids::kByCount, "byCountRadioButton", box);
    m_maxDays = NumberField(Ids::kMaxDays, "maxDaysLineEdit", box);
    m_maxItems = NumberField(Ids::kMaxItems, "maxItemsLineEdit", box);

    auto* layout = new QGridLayout(box);
    layout->addWidget(m_doArchive, 0, 0, 1, 4);
    layout->addWidget(m_deliveryReport, 1, 0, 1, 4);
    layout->addWidget(m_autoDelete, 2, 0, 1, 4);
    layout->addWidget(m_byAge, 3, 1);
    layout->addWidget(m_maxDays, 3, 2);
    layout->addWidget(new QLabel(Caption(Ids::kDaysUnit), box), 3, 3);
    layout->addWidget(m_byCount, 4, 1);
    layout->addWidget(m_maxItems, 4, 2);
    // The removal's choices are indented under their check box.
    layout->setColumnMinimumWidth(0, style()->pixelMetric(QStyle::PM_IndicatorWidth));
    layout->setColumnStretch(3, 1);
    return box;
}

QGroupBox* SettingsPage::BuildServiceBox() {
    auto* box = new QGroupBox(Caption(Ids::kServiceBox), this);
    box->setObjectName(QStringLiteral("serviceGroupBox"));
    m_paymentBox = new QGroupBox(Caption(Ids::kPaymentBox), box);
    m_paymentBox->setObjectName(QStringLiteral("paymentGroupBox"));
    m_monthlyPlan = Make<QRadioButton>(Ids::kMonthlyPlan, "monthlyPlanRadioButton", m_paymentBox);
    m_portalCredits =
        Make<QRadioButton>(Ids::kPortalCredits, "portalCreditsRadioButton", m_paymentBox);
    auto* payment = new QVBoxLayout(m_paymentBox);
    payment->addWidget(m_monthlyPlan);
    payment->addWidget(m_portalCredits);

    m_activation = new QPushButton(box);
    m_activation->setObjectName(QStringLiteral("activationButton"));
    m_recharge = Make<QPushButton>(Ids::kRecharge, "rechargeButton", box);
    auto* enterKey = Make<QPushButton>(Ids::kEnterKey, "enterKeyButton", box);
    connect(enterKey, &QPushButton::clicked, this, [this] { m_logic.ChooseEnterKey(m_dialogs); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_activation);
    buttons->addWidget(m_recharge);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(m_paymentBox);
    layout->addLayout(buttons);
    auto* enterRow = new QHBoxLayout;
    enterRow->addWidget(enterKey);
    enterRow->addStretch(1);
    layout->addLayout(enterRow);
    layout->addStretch(1);
    return box;
}

QGroupBox* SettingsPage::BuildUsersBox() {
    auto* box = new QGroupBox(Caption(Ids::kUsersBox), this);
    box->setObjectName(QStringLiteral("usersGroupBox"));
    m_severalUsers = Make<QRadioButton>(Ids::kSeveralUsers, "severalUsersRadioButton", box);
    m_oneUser = Make<QRadioButton>(Ids::kOneUser, "oneUserRadioButton", box);
    m_name = new QLineEdit(box);
    m_name->setObjectName(QStringLiteral("nameLineEdit"));
    m_name->setAccessibleName(Caption(Ids::kName));
    m_name->setMaxLength(30);
    auto* nameLabel = new QLabel(Caption(Ids::kNameLabel), box);
    nameLabel->setBuddy(m_name);
    m_savePassword = Make<QCheckBox>(Ids::kSavePassword, "savePasswordCheckBox", box);

    auto* layout = new QVBoxLayout(box);
    layout->addWidget(m_severalUsers);
    layout->addWidget(m_oneUser);
    auto* details = new QFormLayout;
    details->setContentsMargins(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) + 6, 0, 0,
                                0);
    details->addRow(nameLabel, m_name);
    details->addRow(m_savePassword);
    layout->addLayout(details);
    layout->addStretch(1);
    return box;
}

QGroupBox* SettingsPage::BuildProgramBox() {
    auto* box = new QGroupBox(Caption(Ids::kProgramBox), this);
    box->setObjectName(QStringLiteral("programGroupBox"));
    m_minToTray = Make<QCheckBox>(Ids::kMinToTray, "minToTrayCheckBox", box);
    m_autostartBox = Make<QCheckBox>(Ids::kAutostart, "autostartCheckBox", box);
    m_showNotice = Make<QCheckBox>(Ids::kShowNotice, "showNoticeCheckBox", box);
    m_desktopNotifications = CheckBox(Text(ProgramString::DesktopNotificationsOption),
                                      "desktopNotificationsCheckBox", box);
    m_language = new QComboBox(box);
    m_language->setObjectName(QStringLiteral("languageComboBox"));
    m_language->setAccessibleName(Caption(Ids::kLanguage));
    for (const std::uint16_t lcid : m_languages)
        m_language->addItem(LanguageName(lcid), lcid == kBuiltInLanguage ? 0 : lcid);
    auto* languageLabel = new QLabel(Caption(Ids::kLanguageLabel), box);
    languageLabel->setBuddy(m_language);

    auto* layout = new QVBoxLayout(box);
    for (QCheckBox* check : {m_minToTray, m_autostartBox, m_showNotice, m_desktopNotifications})
        layout->addWidget(check);
    auto* languageRow = new QHBoxLayout;
    languageRow->addWidget(languageLabel);
    languageRow->addWidget(m_language, 1);
    layout->addLayout(languageRow);
    layout->addStretch(1);
    return box;
}

void SettingsPage::Reload() {
    m_logic.Load(m_languages);
    m_needsLoad = false;
    ShowFields();
}

void SettingsPage::SetAutostartFile(const std::string& file) {
    m_autostart = AutostartEntry(m_autostart.ProgramPath(), file);
    ShowFields();
}

void SettingsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Coming back from another page reloads; a window restored from the tray keeps the edits.
    if (m_needsLoad)
        Reload();
}

void SettingsPage::ShowFields() {
    m_showing = true;
    const SettingsFields& fields = m_logic.Fields();
    m_autoDelete->setChecked(fields.autoDelete);
    (fields.byCount ? m_byCount : m_byAge)->setChecked(true);
    m_maxDays->setText(QString::number(fields.maxDays));
    m_maxItems->setText(QString::number(fields.maxItems));
    m_doArchive->setChecked(fields.doArchive);
    m_deliveryReport->setChecked(fields.deliveryReport);
    m_showNotice->setChecked(fields.showNotice);
    (fields.portalCredits ? m_portalCredits : m_monthlyPlan)->setChecked(true);
    (fields.severalUsers ? m_severalUsers : m_oneUser)->setChecked(true);
    m_name->setText(ToQString(fields.name));
    m_savePassword->setChecked(fields.savePassword);
    m_minToTray->setChecked(fields.minToTray);
    m_desktopNotifications->setChecked(fields.desktopNotifications);
    m_autostartBox->setChecked(m_autostart.IsSet());
    const int language = m_language->findData(fields.language);
    m_language->setCurrentIndex(language < 0 ? 0 : language);
    m_showing = false;
    UpdateControls();
}

void SettingsPage::Collect() {
    if (m_showing)
        return;
    SettingsFields& fields = m_logic.Fields();
    fields.autoDelete = m_autoDelete->isChecked();
    fields.byCount = m_byCount->isChecked();
    fields.maxDays = m_maxDays->text().toUInt();
    fields.maxItems = m_maxItems->text().toUInt();
    fields.doArchive = m_doArchive->isChecked();
    fields.deliveryReport = m_deliveryReport->isChecked();
    SettingsPageLogic::ApplyArchiving(fields);
    fields.showNotice = m_showNotice->isChecked();
    fields.portalCredits = m_portalCredits->isChecked();
    fields.severalUsers = m_severalUsers->isChecked();
    fields.name = ToAnsi(m_name->text());
    fields.savePassword = m_savePassword->isChecked();
    fields.minToTray = m_minToTray->isChecked();
    fields.desktopNotifications = m_desktopNotifications->isChecked();
    fields.language = static_cast<std::uint16_t>(m_language->currentData().toUInt());
    if (m_deliveryReport->isChecked() != fields.deliveryReport) {
        const QSignalBlocker blocker(m_deliveryReport);
        m_deliveryReport->setChecked(fields.deliveryReport);
    }
    UpdateControls();
}

void SettingsPage::UpdateControls() {
    const SettingsFields& fields = m_logic.Fields();
    m_deliveryReport->setEnabled(SettingsPageLogic::DeliveryReportEnabled(fields));
    // The field of the chosen removal can always be corrected: leaving checks it.
    m_maxDays->setEnabled(!fields.byCount);
    m_maxItems->setEnabled(fields.byCount);
    const bool oneUser = SettingsPageLogic::NameEnabled(fields);
    m_name->setEnabled(oneUser);
    m_savePassword->setEnabled(oneUser);

    const SettingsServiceView services = m_logic.Services();
    m_paymentBox->setVisible(services.paymentShown);
    m_recharge->setVisible(services.paymentShown);
    m_monthlyPlan->setEnabled(services.postpaidActive);
    m_activation->setText(Text(services.activationText));
    m_activation->setAccessibleName(Spoken(m_activation->text()));
}

void SettingsPage::ApplyAutostart(bool on) {
    if (!m_autostart.Set(on))
        m_boxes.Show(ProgramStrings(), ProgramString::AutostartNotSet, {},
                     IMessageBox::Icon::Exclamation);
    // The box says what the session will do, also after a failure.
    m_autostartBox->setChecked(m_autostart.IsSet());
}

bool SettingsPage::Leave() {
    Collect();
    SettingsFocus focus = SettingsFocus::None;
    if (!m_logic.Leave(focus)) {
        Focus(focus);
        return false;
    }
    ShowFields();
    m_needsLoad = true;
    return true;
}

void SettingsPage::Focus(SettingsFocus focus) {
    QLineEdit* field = focus == SettingsFocus::Days    ? m_maxDays
                       : focus == SettingsFocus::Count ? m_maxItems
                       : focus == SettingsFocus::Name  ? m_name
                                                       : nullptr;
    if (!field)
        return;
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}
