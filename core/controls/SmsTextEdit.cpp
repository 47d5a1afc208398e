#include "controls/SmsTextEdit.h"

#include "frontend/CharacterFilter.h"
#include "frontend/SmsEditor.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace {

constexpr auto kCommandModifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

std::u16string ToU16(const QString& text) {
    return text.toStdU16String();
}

QString FromU16(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// Text a key types, rather than a command it gives.
bool TypesText(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty() || (event.modifiers() & kCommandModifiers))
        return false;
    const char16_t first = text.front().unicode();
    return first >= 32 && first != 127;
}

} // namespace

SmsTextEdit::SmsTextEdit(SmsEditor& editor, QWidget* parent)
    : QPlainTextEdit(parent), m_editor(editor) {
    setTabChangesFocus(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

std::u16string SmsTextEdit::Text() const {
    return ToU16(toPlainText());
}

bool SmsTextEdit::IsFlashKey(const QKeyEvent& event) {
    const auto modifiers = event.modifiers() & (kCommandModifiers);
    return event.key() == Qt::Key_F && modifiers == Qt::AltModifier;
}

char SmsTextEdit::OwnerKey(const QKeyEvent& event) {
    const auto modifiers = event.modifiers() & kCommandModifiers;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers == Qt::ControlModifier)
            return CharacterFilter::CtrlEnter;
        return modifiers ? 0 : CharacterFilter::Enter;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return modifiers ? 0 : CharacterFilter::Tab;
    case Qt::Key_Escape:
        return modifiers ? 0 : CharacterFilter::Escape;
    default:
        return 0;
    }
}

bool SmsTextEdit::event(QEvent* event) {
    // Alt+F is the control's, before any shortcut of the window.
    if (event->type() == QEvent::ShortcutOverride && IsFlashKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void SmsTextEdit::keyPressEvent(QKeyEvent* event) {
    if (IsFlashKey(*event)) {
        if (m_flashKey)
            m_flashKey();
        event->accept();
        return;
    }
    if (const char key = OwnerKey(*event)) {
        HandleOwnerKey(*event, key);
        return;
    }
    if (TypesText(*event)) {
        InsertTyped(event->text());
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void SmsTextEdit::HandleOwnerKey(QKeyEvent& event, char key) {
    const bool mayProcess = m_ownerKey ? m_ownerKey(key) : true;
    const bool backwards = event.key() == Qt::Key_Backtab ||
                           (event.modifiers() & Qt::ShiftModifier && key == CharacterFilter::Tab);
    event.accept();
    switch (SmsEditor::OwnerKeyStep(key, mayProcess, backwards)) {
    case SmsEditor::KeyStep::Swallow:
        break;
    case SmsEditor::KeyStep::LineBreak: {
        QTextCursor cursor = textCursor();
        if (m_editor.LineBreakFits(Text(), cursor.selectionStart(), cursor.selectionEnd())) {
            cursor.insertText(QStringLiteral("\n"));
            setTextCursor(cursor);
        }
        break;
    }
    case SmsEditor::KeyStep::NextField:
        QWidget::focusNextPrevChild(true);
        break;
    case SmsEditor::KeyStep::PreviousField:
        QWidget::focusNextPrevChild(false);
        break;
    case SmsEditor::KeyStep::ToDialog:
        // On to the control and the dialog around it.
        event.ignore();
        break;
    }
}

void SmsTextEdit::InsertTyped(const QString& text) {
    QTextCursor cursor = textCursor();
    const std::u16string typed =
        m_editor.Typed(ToU16(text), Text(), cursor.selectionStart(), cursor.selectionEnd());
    if (typed.empty())
        return;
    cursor.insertText(FromU16(typed));
    setTextCursor(cursor);
}

void SmsTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (event->commitString().isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const QTextCursor cursor = textCursor();
    const std::u16string committed = m_editor.Typed(ToU16(event->commitString()), Text(),
                                                    cursor.selectionStart(), cursor.selectionEnd());
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(FromU16(committed), event->replacementStart(),
                             event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&filtered);
    event->accept();
}

void SmsTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText())
        return;
    QTextCursor cursor = textCursor();
    const SmsEditor::Pasted pasted = m_editor.Paste(Text(), cursor.selectionStart(),
                                                    cursor.selectionEnd(), ToU16(source->text()));
    if (!pasted.changed)
        return;
    if (!pasted.cleanedAround) {
        cursor.insertText(FromU16(pasted.insertion));
    } else {
        // One step to undo, like the paste itself.
        cursor.select(QTextCursor::Document);
        cursor.insertText(FromU16(pasted.text));
        cursor.setPosition(static_cast<int>(pasted.caret));
    }
    setTextCursor(cursor);
    ensureCursorVisible();
}
