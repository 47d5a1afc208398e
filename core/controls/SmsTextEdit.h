#pragma once

#include "QuillonControlsExport.h"

#include <QPlainTextEdit>

#include <functional>
#include <string>
#include <utility>

class QKeyEvent;
class SmsEditor;

// The message editor's inner field: everything that enters it passes the editor's filter and
// text limit, whether typed, committed by an input method, pasted or dropped. The owner keys
// and Alt+F go to the control that holds it.
class QUILLON_CONTROLS_EXPORT SmsTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    SmsTextEdit(SmsEditor& editor, QWidget* parent);

    // Asked for Escape, Enter, Tab and Ctrl+Enter: true lets the field process the key.
    void SetOwnerKeyHandler(std::function<bool(char)> handler) { m_ownerKey = std::move(handler); }
    // Alt+F, in either case.
    void SetFlashKeyHandler(std::function<void()> handler) { m_flashKey = std::move(handler); }

    std::u16string Text() const;

    static bool IsFlashKey(const QKeyEvent& event);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // The owner key of the event (CharacterFilter's), 0 for none.
    static char OwnerKey(const QKeyEvent& event);
    void HandleOwnerKey(QKeyEvent& event, char key);
    // Types text as a user does, through the filter and the limit.
    void InsertTyped(const QString& text);

    SmsEditor& m_editor;
    std::function<bool(char)> m_ownerKey;
    std::function<void()> m_flashKey;
};
