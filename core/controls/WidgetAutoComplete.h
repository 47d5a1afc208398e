#pragma once

#include "QuillonControlsExport.h"
#include "controls/CompletionStrings.h"
#include "frontend/IAutoCompleteObject.h"

#include <QModelIndex>
#include <QObject>
#include <QPointer>

#include <cstdint>

class QComboBox;
class QCompleter;
class QLineEdit;
class QStringListModel;

// The auto-completion object of one line edit (on its own or of an editable combo box), over a
// QCompleter. With CSmsAutoComplete::AutoSuggest, typing pops up the strings that start with the
// text; with AutoAppend, typing at the end fills in the rest of the first of them, selected, so
// that typing on replaces it (deleting never fills in again). Strings are read through the
// enumerator, again after every change. While it lives, a combo box's own completer is put
// aside.
class QUILLON_CONTROLS_EXPORT WidgetAutoComplete : public QObject, public IAutoCompleteObject {
    Q_OBJECT
public:
    // combo, when not null, is the editable combo box whose line edit edit is.
    explicit WidgetAutoComplete(QLineEdit* edit, QComboBox* combo = nullptr);
    ~WidgetAutoComplete() override;

    void SetOptions(std::uint32_t options) override;
    // False without a line edit or when already initialised.
    bool Init(IStringEnumerator& strings) override;
    void Enable(bool enable) override;
    void StringsChanged() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnTextEdited(const QString& text);
    void Suggest(const QStringList& matches);
    void Append(const QString& typed, const QStringList& matches);
    // Puts a suggestion the user picked or moved to into the edit.
    void Take(const QModelIndex& index);
    void HidePopup();
    void PutAsideComboCompleter();
    void GiveBackComboCompleter();

    QPointer<QLineEdit> m_edit;
    QPointer<QComboBox> m_combo;
    QPointer<QCompleter> m_completer;
    QStringListModel* m_model = nullptr;
    // The completer the combo box had before, held here and given back at the end.
    QPointer<QCompleter> m_comboCompleter;
    IStringEnumerator* m_strings = nullptr;
    CompletionStrings m_cache;
    bool m_stale = true;
    std::uint32_t m_options = 0;
    bool m_enabled = false;
    // The key that changed the text deletes: nothing is filled in then.
    bool m_deleting = false;
    // What the user typed, without what was filled in.
    QString m_typed;
};
