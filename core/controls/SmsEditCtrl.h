#pragma once

#include "QuillonControlsExport.h"
#include "frontend/SmsEditor.h"

#include <QRect>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

class IMessageBox;
class ISmsEditOwner;
class QCheckBox;
class QLabel;
class SmsTextEdit;
class WidgetMessageBox;

// The editor of one SMS message: a multi-line field above a strip with the length counter, the
// part counter and the flash check box. It lets in only what an SMS can carry, keeps the text
// within what the user may type, and offers Escape, Enter, Tab and Ctrl+Enter to its owner.
// Text goes in and out in the core's form (ANSI, CR LF line breaks).
class QUILLON_CONTROLS_EXPORT CSmsEditCtrl : public QWidget {
    Q_OBJECT
public:
    CSmsEditCtrl();
    CSmsEditCtrl(std::uint16_t maxChars, std::uint16_t partLen);
    ~CSmsEditCtrl() override;

    // Not hosted: a visible child of parent. Hosted: a window of its own without a frame,
    // owned by parent and shown by the host, whose counters and question keep the core's texts
    // in force now. A parent that is an ISmsEditOwner becomes the owner. False when already
    // created.
    bool Create(const QRect& rect, QWidget* parent, int id, bool hosted = false);
    int GetDlgCtrlID() const { return m_id; }
    bool IsHosted() const { return m_editor.IsHosted(); }

    int GetSmsCount() const;
    std::uint16_t GetMaxUserCharCount() const;
    void SetDummyTextLen(int dummyLen);
    bool IsFlash() const;
    // The state only; the length is not checked again.
    void SetFlash(bool flash);
    bool HasFocus() const;
    // The most characters the field takes (a line break counts two).
    int GetLimitText() const { return m_editor.TextLimit(); }

    // Like an edit field's: a line break counts two in lengths and positions; SetSel with a
    // negative end selects to the end, with a negative start only drops the selection.
    void SetText(const std::string& ansi);
    std::string GetText() const;
    int GetTextLength() const;
    void SetSel(int start, int end);

    // Replaces the owner that Create found (nullptr: every key is processed).
    void SetOwner(ISmsEditOwner* owner) { m_owner = owner; }
    // Questions go there instead of a message box over the window (nullptr: back to that).
    void SetMessageBox(IMessageBox* boxes) { m_boxes = boxes; }

public slots:
    // The flash check for the state the box now shows (what a click on it runs).
    void OnCheckFlash();
    // Alt+F: toggles the box and runs the check.
    void ToggleFlash();

signals:
    // Hosted mode: the field lost the focus to a window other than the control's own (now may
    // be null: another program).
    void focusLeft(QWidget* now);
    // Hosted mode: after every counter update.
    void countersUpdated();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Build();
    void OnChangeEdit();
    void OnFocusChanged(QWidget* old, QWidget* now);
    bool AskOwner(char key);
    // A text the control itself puts in (cut to fit), with the caret at its end.
    void ShowCutText(const std::u16string& text);
    IMessageBox& Boxes();

    SmsEditor m_editor;
    SmsTextEdit* m_edit = nullptr;
    QLabel* m_lengthLabel = nullptr;
    QLabel* m_partLabel = nullptr;
    QCheckBox* m_flashBox = nullptr;
    ISmsEditOwner* m_owner = nullptr;
    IMessageBox* m_boxes = nullptr;
    std::unique_ptr<WidgetMessageBox> m_windowBoxes;
    int m_id = 0;
    bool m_created = false;
};
