#include "controls/WidgetAutoComplete.h"

#include "controls/ControlsText.h"
#include "frontend/IStringEnumerator.h"
#include "frontend/SmsAutoComplete.h"
#include "model/CoreCaptions.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>

#include <utility>

namespace {

bool IsDeletingKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete ||
           key.matches(QKeySequence::Cut);
}

} // namespace

WidgetAutoComplete::WidgetAutoComplete(QLineEdit* edit, QComboBox* combo)
    : m_edit(edit), m_combo(combo) {}

WidgetAutoComplete::~WidgetAutoComplete() {
    delete m_completer;
    if (m_edit)
        m_edit->removeEventFilter(this);
    GiveBackComboCompleter();
    if (m_strings)
        m_strings->Release();
}

void WidgetAutoComplete::SetOptions(std::uint32_t options) {
    m_options = options;
}

bool WidgetAutoComplete::Init(IStringEnumerator& strings) {
    if (!m_edit || m_strings)
        return false;
    m_strings = &strings;
    m_strings->AddRef();

    PutAsideComboCompleter();
    m_completer = new QCompleter(m_edit);
    m_completer->setObjectName("autoCompleter");
    m_model = new QStringListModel(m_completer);
    m_completer->setModel(m_model);
    // The strings that fit are chosen here, so the completer shows its model as it is.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setWidget(m_edit);
    QAbstractItemView* popup = m_completer->popup();
    // Every row is one line of text; without this the list measures each of thousands of rows.
    if (auto* list = qobject_cast<QListView*>(popup))
        list->setUniformItemSizes(true);
    popup->setObjectName("suggestionListView");
    popup->setAccessibleName(
        CoreCaption(CoreCaptions::AutoComplete::kWindow, CoreCaptions::AutoComplete::kSuggestions));
    // The completer hands keys typed in its pop-up straight to the edit, past the edit's
    // filters, so the pop-up is watched as well.
    popup->installEventFilter(this);
    m_edit->installEventFilter(this);

    connect(m_edit, &QLineEdit::textEdited, this, &WidgetAutoComplete::OnTextEdited);
    connect(m_completer, qOverload<const QModelIndex&>(&QCompleter::highlighted), this,
            &WidgetAutoComplete::Take);
    connect(m_completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            &WidgetAutoComplete::Take);
    return true;
}

void WidgetAutoComplete::Enable(bool enable) {
    m_enabled = enable;
    if (!enable)
        HidePopup();
}

void WidgetAutoComplete::StringsChanged() {
    m_stale = true;
}

bool WidgetAutoComplete::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        m_deleting = IsDeletingKey(*static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}

void WidgetAutoComplete::OnTextEdited(const QString& text) {
    const bool deleting = std::exchange(m_deleting, false);
    if (!m_enabled || !m_strings)
        return;
    if (m_stale) {
        m_cache.Read(*m_strings);
        m_stale = false;
    }
    m_typed = text;
    const QStringList matches = m_cache.Matches(text);
    if ((m_options & CSmsAutoComplete::AutoAppend) && !deleting)
        Append(text, matches);
    if (m_options & CSmsAutoComplete::AutoSuggest)
        Suggest(matches);
}

void WidgetAutoComplete::Suggest(const QStringList& matches) {
    if (matches.isEmpty()) {
        HidePopup();
        return;
    }
    m_model->setStringList(matches);
    QRect below = m_edit->rect();
    if (m_combo)
        below = QRect(m_edit->mapFrom(m_combo, QPoint(0, 0)), m_combo->size());
    m_completer->complete(below);
    // Nothing is picked until the user moves into the list.
    m_completer->popup()->selectionModel()->setCurrentIndex(QModelIndex(),
                                                            QItemSelectionModel::NoUpdate);
}

void WidgetAutoComplete::Append(const QString& typed, const QStringList& matches) {
    if (matches.isEmpty() || m_edit->hasSelectedText() || m_edit->cursorPosition() != typed.size())
        return;
    const QString& first = matches.first();
    if (first.size() <= typed.size())
        return;
    const auto rest = first.size() - typed.size();
    m_edit->setText(typed + first.right(rest));
    m_edit->setSelection(typed.size(), rest);
}

void WidgetAutoComplete::Take(const QModelIndex& index) {
    // Moving out of the list brings back what the user typed.
    m_edit->setText(index.isValid() ? index.data().toString() : m_typed);
}

void WidgetAutoComplete::PutAsideComboCompleter() {
    if (!m_combo || !m_combo->completer())
        return;
    // The line edit deletes a completer of its own that it is told to drop, so it is held here
    // meanwhile.
    m_comboCompleter = m_combo->completer();
    m_comboCompleter->setParent(nullptr);
    m_combo->setCompleter(nullptr);
}

void WidgetAutoComplete::GiveBackComboCompleter() {
    if (!m_comboCompleter)
        return;
    if (m_combo && m_edit) {
        m_comboCompleter->setParent(m_edit);
        m_combo->setCompleter(m_comboCompleter);
    } else {
        delete m_comboCompleter;
    }
}

void WidgetAutoComplete::HidePopup() {
    if (m_completer && m_completer->popup()->isVisible())
        m_completer->popup()->hide();
}
