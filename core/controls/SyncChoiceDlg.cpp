#include "controls/SyncChoiceDlg.h"

#include "controls/ControlsText.h"
#include "model/CoreCaptions.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QPushButton* AddButton(QDialogButtonBox* box, const QString& caption, const QString& name,
                       QDialogButtonBox::ButtonRole role) {
    QPushButton* button = box->addButton(caption, role);
    button->setObjectName(name);
    button->setAccessibleName(Spoken(caption));
    return button;
}

} // namespace

SyncChoiceDlg::SyncChoiceDlg(const Layout& layout, QWidget* parent) : QDialog(parent) {
    setObjectName(layout.objectName);
    setWindowTitle(CoreCaption(layout.dialog, CoreCaptions::kCaption));

    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    if (layout.textControl != 0) {
        auto* text = new QLabel(CoreCaption(layout.dialog, layout.textControl), this);
        text->setObjectName(QStringLiteral("textLabel"));
        text->setAccessibleName(text->text());
        text->setWordWrap(true);
        text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 56);
        main->addWidget(text);
    }
    if (!layout.facts.empty())
        main->addWidget(BuildFacts(layout));
    main->addWidget(BuildChoices(layout));

    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("dialogButtonBox"));
    QPushButton* ok = AddButton(buttons, CoreCaption(layout.dialog, CoreCaptions::kOk),
                                QStringLiteral("okButton"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    AddButton(buttons, CoreCaption(layout.dialog, CoreCaptions::kCancel), layout.cancelName,
              QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    main->addWidget(buttons);

    if (!m_choices.empty())
        m_choices.front()->setFocus();
}

QWidget* SyncChoiceDlg::BuildFacts(const Layout& layout) {
    auto* facts = new QWidget(this);
    auto* form = new QFormLayout(facts);
    form->setContentsMargins(0, 0, 0, 0);
    for (const Fact& fact : layout.facts) {
        auto* value = new QLabel(fact.value, facts);
        value->setObjectName(fact.objectName);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const QString caption = CoreCaption(layout.dialog, fact.labelControl);
        value->setAccessibleName(caption);
        form->addRow(caption, value);
    }
    return facts;
}

QWidget* SyncChoiceDlg::BuildChoices(const Layout& layout) {
    QWidget* holder = nullptr;
    if (layout.groupControl != 0)
        holder = new QGroupBox(CoreCaption(layout.dialog, layout.groupControl), this);
    else
        holder = new QWidget(this);
    holder->setObjectName(QStringLiteral("choicesGroupBox"));
    auto* column = new QVBoxLayout(holder);
    if (layout.groupControl == 0)
        column->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < layout.choiceNames.size(); ++i) {
        const QString caption =
            CoreCaption(layout.dialog, layout.firstChoice + static_cast<int>(i));
        auto* choice = new QRadioButton(caption, holder);
        choice->setObjectName(layout.choiceNames[i]);
        choice->setAccessibleName(Spoken(caption));
        column->addWidget(choice);
        m_choices.push_back(choice);
    }
    if (!m_choices.empty())
        m_choices.front()->setChecked(true);
    return holder;
}

int SyncChoiceDlg::Choose() {
    if (exec() != QDialog::Accepted)
        return -1;
    for (std::size_t i = 0; i < m_choices.size(); ++i) {
        if (m_choices[i]->isChecked())
            return static_cast<int>(i);
    }
    return -1;
}
