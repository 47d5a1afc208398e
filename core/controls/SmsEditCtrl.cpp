#include "controls/SmsEditCtrl.h"

#include "controls/ControlsText.h"
#include "controls/SmsTextEdit.h"
#include "controls/WidgetMessageBox.h"
#include "frontend/ISmsEditOwner.h"
#include "model/CoreCaptions.h"
#include "model/CoreTexts.h"
#include "platform/CodePage.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

namespace Captions = CoreCaptions::SmsEdit;

QString Caption(int control) {
    return CoreCaption(Captions::kWindow, control);
}

QLabel* CounterLabel(QWidget* parent, const char* name, int control) {
    auto* label = new QLabel(Caption(control), parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(label->text());
    return label;
}

} // namespace

CSmsEditCtrl::CSmsEditCtrl()
    : CSmsEditCtrl(MessageCounts::DefaultMaxChars, MessageCounts::DefaultPartLen) {}

CSmsEditCtrl::CSmsEditCtrl(std::uint16_t maxChars, std::uint16_t partLen)
    : m_editor(maxChars, partLen, GetAnsiCodePage()) {
    Build();
}

CSmsEditCtrl::~CSmsEditCtrl() {
    // The children go after this part of the control: their last focus and text changes must
    // not reach it.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    m_edit->disconnect(this);
    m_flashBox->disconnect(this);
}

void CSmsEditCtrl::Build() {
    setObjectName(QStringLiteral("smsEditCtrl"));
    setWindowTitle(QStringLiteral("SMS Edit"));
    setAccessibleName(windowTitle());

    m_edit = new SmsTextEdit(m_editor, this);
    m_edit->setObjectName(QStringLiteral("messageTextEdit"));
    m_edit->setAccessibleName(Caption(Captions::kText));
    m_edit->SetOwnerKeyHandler([this](char key) { return AskOwner(key); });
    m_edit->SetFlashKeyHandler([this] { ToggleFlash(); });

    m_lengthLabel = CounterLabel(this, "lengthCounterLabel", Captions::kLengthCounter);
    m_partLabel = CounterLabel(this, "partCounterLabel", Captions::kPartCounter);
    m_flashBox = new QCheckBox(Caption(Captions::kFlash), this);
    m_flashBox->setObjectName(QStringLiteral("flashCheckBox"));
    m_flashBox->setAccessibleName(Spoken(m_flashBox->text()));

    auto* strip = new QHBoxLayout;
    strip->setContentsMargins(1, 0, 0, 0);
    strip->addWidget(m_lengthLabel, 1);
    strip->addWidget(m_partLabel, 1);
    strip->addWidget(m_flashBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit, 1);
    layout->addLayout(strip);

    setFocusPolicy(Qt::TabFocus);
    setFocusProxy(m_edit);
    connect(m_edit, &QPlainTextEdit::textChanged, this, &CSmsEditCtrl::OnChangeEdit);
    connect(m_flashBox, &QCheckBox::clicked, this, &CSmsEditCtrl::OnCheckFlash);
    connect(qApp, &QApplication::focusChanged, this, &CSmsEditCtrl::OnFocusChanged);
}

bool CSmsEditCtrl::Create(const QRect& rect, QWidget* parent, int id, bool hosted) {
    if (m_created)
        return false;
    m_created = true;
    m_id = id;
    if (!m_owner)
        m_owner = dynamic_cast<ISmsEditOwner*>(parent);
    if (hosted) {
        m_editor.Host(CoreTexts::Strings());
        setParent(parent, Qt::Window | Qt::FramelessWindowHint);
    } else {
        setParent(parent);
    }
    if (rect.isValid())
        setGeometry(rect);
    if (!hosted)
        show();
    return true;
}

int CSmsEditCtrl::GetSmsCount() const {
    return m_editor.GetSmsCount(m_edit->Text());
}

std::uint16_t CSmsEditCtrl::GetMaxUserCharCount() const {
    return m_editor.GetMaxUserCharCount();
}

void CSmsEditCtrl::SetDummyTextLen(int dummyLen) {
    const std::u16string text = m_edit->Text();
    const std::u16string kept = m_editor.SetDummyTextLen(dummyLen, text);
    // The limit may have gone down: what undo would bring back may no longer fit.
    m_edit->document()->clearUndoRedoStacks();
    if (kept != text)
        ShowCutText(kept);
    else
        OnChangeEdit();
}

bool CSmsEditCtrl::IsFlash() const {
    return m_flashBox->isChecked();
}

void CSmsEditCtrl::SetFlash(bool flash) {
    m_flashBox->setChecked(flash);
    m_editor.SetFlash(flash);
}

bool CSmsEditCtrl::HasFocus() const {
    return m_edit->hasFocus();
}

void CSmsEditCtrl::SetText(const std::string& ansi) {
    m_edit->setPlainText(QString::fromStdU16String(m_editor.TextToSet(ansi)));
}

std::string CSmsEditCtrl::GetText() const {
    return SmsEditor::CoreText(m_edit->Text());
}

int CSmsEditCtrl::GetTextLength() const {
    return SmsEditor::EditLength(m_edit->Text());
}

void CSmsEditCtrl::SetSel(int start, int end) {
    QTextCursor cursor = m_edit->textCursor();
    if (start < 0) {
        cursor.clearSelection();
    } else {
        const std::u16string text = m_edit->Text();
        cursor.setPosition(static_cast<int>(SmsEditor::TextPosition(text, start)));
        cursor.setPosition(static_cast<int>(SmsEditor::TextPosition(text, end)),
                           QTextCursor::KeepAnchor);
    }
    m_edit->setTextCursor(cursor);
}

void CSmsEditCtrl::OnCheckFlash() {
    const bool boxHadFocus = m_flashBox->hasFocus();
    const SmsEditor::FlashResult result =
        m_editor.CheckFlash(m_flashBox->isChecked(), m_edit->Text(), Boxes());
    if (!result.applied) {
        m_flashBox->setChecked(result.flash);
        return;
    }
    m_edit->document()->clearUndoRedoStacks();
    if (result.cut)
        ShowCutText(result.cutText);
    else
        OnChangeEdit();
    if (boxHadFocus)
        m_edit->setFocus(Qt::OtherFocusReason);
}

void CSmsEditCtrl::ToggleFlash() {
    m_flashBox->setChecked(!m_flashBox->isChecked());
    OnCheckFlash();
}

bool CSmsEditCtrl::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        SmsTextEdit::IsFlashKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void CSmsEditCtrl::keyPressEvent(QKeyEvent* event) {
    if (SmsTextEdit::IsFlashKey(*event)) {
        ToggleFlash();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CSmsEditCtrl::OnChangeEdit() {
    const SmsEditor::Counters counters = m_editor.Update(m_edit->Text());
    m_lengthLabel->setText(FromUtf8(counters.lengthText));
    m_lengthLabel->setAccessibleName(m_lengthLabel->text());
    m_partLabel->setText(FromUtf8(counters.partText));
    m_partLabel->setAccessibleName(m_partLabel->text());
    if (IsHosted())
        emit countersUpdated();
}

void CSmsEditCtrl::OnFocusChanged(QWidget* old, QWidget* now) {
    if (old != m_edit)
        return;
    const bool toOwnWindow = now == m_flashBox || now == this;
    if (m_editor.ReportsFocusLoss(toOwnWindow))
        emit focusLeft(now);
}

bool CSmsEditCtrl::AskOwner(char key) {
    return m_owner ? m_owner->OnSmsAbort(key) : true;
}

void CSmsEditCtrl::ShowCutText(const std::u16string& text) {
    m_edit->setPlainText(QString::fromStdU16String(text));
    m_edit->moveCursor(QTextCursor::End);
}

IMessageBox& CSmsEditCtrl::Boxes() {
    if (m_boxes)
        return *m_boxes;
    if (!m_windowBoxes)
        m_windowBoxes =
            std::make_unique<WidgetMessageBox>(window(), QApplication::applicationDisplayName());
    return *m_windowBoxes;
}
