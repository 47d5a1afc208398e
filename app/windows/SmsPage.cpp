#include "windows/SmsPage.h"

#include "controls/AutoCompleteBinding.h"
#include "controls/ControlsText.h"
#include "controls/WindowCallRunner.h"
#include "frontend/CharacterFilter.h"
#include "logic/ProgramStrings.h"
#include "logic/SmsPageCaptions.h"
#include "logic/SmsPageStrings.h"
#include "model/Utilities.h"
#include "windows/ProgramText.h"
#include "windows/RecipientRows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::SmsPage;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

QString Text(int id) {
    return FromUtf8(std::string(ProgramStrings().GetUtf8(id).value_or("")));
}

template <class W> W* Named(W* widget, const char* name, const QString& caption) {
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(Spoken(caption));
    return widget;
}

struct Emoticon {
    const char* picture;
    const char* text;
};
// In the order of their tooltips' ids.
constexpr Emoticon kEmoticons[] = {
    {"smile", ":-)"}, {"laugh", ":-D"},     {"tongue", ":-P"},   {"wink", ";-)"},
    {"cool", "8-)"},  {"shock", ":-O"},     {"confused", ":-S"}, {"sad", ":-("},
    {"angry", ">:("}, {"undecided", ":-/"}, {"kiss", ":-*"},     {"grin", ":->"},
};

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

SmsPage::SmsPage(CSmsUserInfo& user, IMessageBox& boxes, ISmsPageDialogs& dialogs, QWidget* parent,
                 std::unique_ptr<ICallRunner> runner)
    : QWidget(parent) {
    setObjectName(QStringLiteral("smsPage"));
    // The pictures live in this static library, whose resources nothing else pulls in.
    Q_INIT_RESOURCE(smspage);
    CreateControls();
    LayOut();
    m_runner = runner ? std::move(runner) : std::make_unique<WindowCallRunner>(this);
    m_flow = std::make_unique<SmsPageFlow>(user, boxes, dialogs, *m_runner,
                                           static_cast<ISmsPageView&>(*this), ProgramStrings());
    m_editor.SetOwner(this);
    m_editor.SetMessageBox(&boxes);
    Bind(m_flow->AutoComplete(), m_recipientCombo,
         CSmsAutoComplete::AutoSuggest | CSmsAutoComplete::AutoAppend);
    m_flow->Initialise();
}

SmsPage::~SmsPage() {
    m_runner->Cancel();
    m_flow->AutoComplete().Unbind();
}

void SmsPage::CreateControls() {
    m_recipientCombo = Named(new QComboBox(this), "recipientComboBox", Caption(Ids::kRecipient));
    m_recipientCombo->setEditable(true);
    m_recipientCombo->setInsertPolicy(QComboBox::NoInsert);
    m_recipientCombo->installEventFilter(this);
    m_recipientCombo->lineEdit()->installEventFilter(this);
    m_addButton = Named(new QPushButton(Caption(Ids::kAdd), this), "addButton", Caption(Ids::kAdd));
    m_fromBookButton = Named(new QPushButton(Caption(Ids::kFromBook), this), "fromBookButton",
                             Caption(Ids::kFromBook));
    m_recipientTree = NewRecipientTree(this, "recipientTreeWidget", 130, false);
    m_recipientTree->installEventFilter(this);
    m_sendLaterBox = Named(new QCheckBox(Caption(Ids::kSendLater), this), "sendLaterCheckBox",
                           Caption(Ids::kSendLater));
    m_sendButton =
        Named(new QPushButton(Caption(Ids::kSend), this), "sendButton", Caption(Ids::kSend));
    QFont bold = m_sendButton->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_sendButton->setFont(bold);
    m_busyBar = new QProgressBar(this);
    m_busyBar->setObjectName(QStringLiteral("sendingProgressBar"));
    m_busyBar->setAccessibleName(Text(SmsPageString::Sending));
    m_busyBar->setRange(0, 0);
    m_busyBar->setTextVisible(false);
    m_busyBar->setMaximumHeight(m_busyBar->fontMetrics().height() / 2);
    m_busyBar->hide();

    m_editor.Create(QRect(), this, 1024);
    m_editor.setObjectName(QStringLiteral("smsEditCtrl"));
    m_emoticons = CreateEmoticons();

    connect(m_addButton, &QPushButton::clicked, this, &SmsPage::AddTyped);
    connect(m_fromBookButton, &QPushButton::clicked, this, [this] { m_flow->ChooseFromBook(); });
    connect(m_recipientTree, &QTreeWidget::itemDoubleClicked, this, &SmsPage::RemoveSelected);
    connect(m_sendButton, &QPushButton::clicked, this, [this] { m_flow->Send(); });
}

QWidget* SmsPage::CreateEmoticons() {
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("emoticonsWidget"));
    box->setAccessibleName(Caption(Ids::kEmoticons));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    int tip = SmsPageString::FirstEmoticonTip;
    for (const Emoticon& emoticon : kEmoticons) {
        auto* button = new QToolButton(box);
        const QString text = QLatin1String(emoticon.text);
        button->setObjectName(
            QStringLiteral("%1EmoticonButton").arg(QLatin1String(emoticon.picture)));
        button->setIcon(QIcon(QStringLiteral(":/quillon/app/smspage/emoticon-%1.svg")
                                  .arg(QLatin1String(emoticon.picture))));
        button->setToolTip(Text(tip));
        button->setAccessibleName(Text(tip++));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, text] { TypeIntoEditor(text); });
        row->addWidget(button);
    }
    row->addStretch(1);
    return box;
}

void SmsPage::LayOut() {
    auto* recipientLabel = new QLabel(Caption(Ids::kRecipientLabel), this);
    recipientLabel->setBuddy(m_recipientCombo);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(m_addButton);
    addRow->addWidget(m_fromBookButton);
    auto* left = new QVBoxLayout;
    left->addWidget(recipientLabel);
    left->addWidget(m_recipientCombo);
    left->addLayout(addRow);
    left->addWidget(m_recipientTree, 1);
    left->addWidget(m_sendLaterBox);
    left->addWidget(m_sendButton);
    left->addWidget(m_busyBar);

    auto* right = new QVBoxLayout;
    right->addWidget(&m_editor, 1);
    right->addWidget(m_emoticons);

    auto* page = new QHBoxLayout(this);
    page->addLayout(left, 2);
    page->addLayout(right, 3);

    setTabOrder(m_recipientCombo, m_addButton);
    setTabOrder(m_addButton, m_fromBookButton);
    setTabOrder(m_fromBookButton, m_recipientTree);
    setTabOrder(m_recipientTree, &m_editor);
    setTabOrder(&m_editor, m_sendLaterBox);
    setTabOrder(m_sendLaterBox, m_sendButton);
}

void SmsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_flow->Activate();
    m_editor.SetDummyTextLen(m_flow->DummyTextLength());
}

void SmsPage::hideEvent(QHideEvent* event) {
    m_flow->Deactivate();
    QWidget::hideEvent(event);
}

bool SmsPage::eventFilter(QObject* watched, QEvent* event) {
    const bool recipientField =
        watched == m_recipientCombo || watched == m_recipientCombo->lineEdit();
    if (recipientField && event->type() == QEvent::FocusIn)
        m_sendButton->setDefault(true);
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (recipientField && IsEnter(key) && !m_recipientCombo->view()->isVisible()) {
        const bool ctrl = key.modifiers() & Qt::ControlModifier;
        if (const auto added =
                m_flow->OnRecipientEnter(ToAnsi(m_recipientCombo->currentText()), ctrl))
            SetAddResult(*added);
        return true;
    }
    if (watched == m_recipientTree && key.key() == Qt::Key_Delete) {
        RemoveSelected();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SmsPage::AddTyped() {
    SetAddResult(m_flow->AddTyped(ToAnsi(m_recipientCombo->currentText())));
}

void SmsPage::SetAddResult(SmsPageFlow::AddResult result) {
    if (result == SmsPageFlow::AddResult::NotFound) {
        // Kept and selected, so the user can correct it.
        m_recipientCombo->lineEdit()->selectAll();
        m_recipientCombo->setFocus();
        return;
    }
    m_recipientCombo->setEditText(QString());
}

void SmsPage::RemoveSelected() {
    const std::vector<int> rows = SelectedRows(m_recipientTree);
    if (!rows.empty())
        m_flow->RemoveAt(static_cast<std::size_t>(rows.front()));
}

void SmsPage::TypeIntoEditor(const QString& text) {
    QWidget* field = m_editor.findChild<QWidget*>(QStringLiteral("messageTextEdit"));
    field->setFocus();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
    }
}

void SmsPage::Forward(const QString& text, bool flash) {
    m_editor.SetText(ToAnsi(text));
    m_editor.SetFlash(flash);
}

void SmsPage::Compose(const ComposeRequest& request) {
    m_flow->AddNumbers(request.numbers);
    m_editor.SetText(Utf8ToAnsi(request.body));
}

ComposedMessage SmsPage::Message() const {
    return {m_editor.GetText(), m_editor.IsFlash(), m_editor.GetSmsCount(),
            m_sendLaterBox->isChecked()};
}

void SmsPage::ShowEntries(const std::vector<RecipientEntry>& entries) {
    ShowRecipientRows(m_recipientTree, entries);
}

void SmsPage::ShowHistory(const std::vector<std::string>& history) {
    const QString typed = m_recipientCombo->currentText();
    m_recipientCombo->clear();
    for (const std::string& text : history)
        m_recipientCombo->addItem(ToQString(text));
    m_recipientCombo->setEditText(typed);
}

void SmsPage::ShowSending(bool sending) {
    m_sendButton->setEnabled(!sending);
    m_sendButton->setText(sending ? Text(SmsPageString::Sending) : Caption(Ids::kSend));
    m_busyBar->setVisible(sending);
}

void SmsPage::ClearMessage(int dummyTextLength) {
    m_sendLaterBox->setChecked(false);
    m_editor.SetText(std::string());
    m_editor.SetDummyTextLen(dummyTextLength);
}

void SmsPage::CreditChanged() {
    emit creditChanged();
}

bool SmsPage::OnSmsAbort(char key) {
    return m_flow->OnEditorKey(key);
}
