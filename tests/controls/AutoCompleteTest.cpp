#include "controls/AutoCompleteBinding.h"

#include "controls/ControlsText.h"
#include "frontend/SmsAutoComplete.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr std::uint32_t kBoth = CSmsAutoComplete::AutoSuggest | CSmsAutoComplete::AutoAppend;

// A dialog with the two kinds of recipient field and a source that knows a few names.
struct Window {
    QWidget widget;
    QLineEdit* edit = new QLineEdit(&widget);
    QLineEdit* otherEdit = new QLineEdit(&widget);
    QComboBox* combo = new QComboBox(&widget);
    CSmsAutoComplete source;

    Window() {
        edit->setObjectName("recipientLineEdit");
        otherEdit->setObjectName("otherLineEdit");
        combo->setObjectName("recipientComboBox");
        combo->setEditable(true);
        auto* layout = new QVBoxLayout(&widget);
        layout->addWidget(edit);
        layout->addWidget(otherEdit);
        layout->addWidget(combo);
        for (const char* name : {"Ján Novák", "Jana", "Peter", "JÁN Horák", "jánošík", "Pavol"})
            source.InsertString(ToAnsi(QString::fromUtf8(name)));
        widget.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
    }
};

// The suggestions that are on show, in their order; none when no list is visible.
QStringList Suggestions() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* list = qobject_cast<QAbstractItemView*>(top);
        if (!list || !list->isVisible() || list->objectName() != "suggestionListView")
            continue;
        QStringList rows;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            rows.append(list->model()->index(row, 0).data().toString());
        return rows;
    }
    return {};
}

QAbstractItemView* Popup(QLineEdit* edit) {
    auto* completer = edit->findChild<QCompleter*>("autoCompleter");
    return completer ? completer->popup() : nullptr;
}

// Types the letters one key each, accented ones too (keyClicks knows ASCII only).
void Type(QWidget* widget, const char* utf8) {
    for (const QChar letter : QString::fromUtf8(utf8)) {
        const auto key = static_cast<Qt::Key>(letter.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(letter), Qt::NoModifier);
    }
}

QStringList Utf8List(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

} // namespace

TEST(AutoComplete, SuggestsTheStringsThatStartWithTheTextInOrderIgnoringCaseAndAccentedCase) {
    Window window;
    ASSERT_TRUE(Bind(window.source, window.edit, CSmsAutoComplete::AutoSuggest));
    Type(window.edit, "ján");
    EXPECT_EQ(Suggestions(), Utf8List({"Ján Novák", "JÁN Horák", "jánošík"}));
    EXPECT_EQ(window.edit->text(), QString::fromUtf8("ján")) << "suggesting types nothing in";
    EXPECT_EQ(Popup(window.edit)->accessibleName(), QString::fromUtf8("Návrhy príjemcov"));

    window.edit->clear();
    Type(window.edit, "JÁN ");
    EXPECT_EQ(Suggestions(), Utf8List({"Ján Novák", "JÁN Horák"}));
    Type(window.edit, "h");
    EXPECT_EQ(Suggestions(), Utf8List({"JÁN Horák"}));
    Type(window.edit, "x");
    EXPECT_TRUE(Suggestions().isEmpty()) << "no string fits";
    QTest::keyClick(window.edit, Qt::Key_Backspace);
    EXPECT_EQ(Suggestions(), Utf8List({"JÁN Horák"})) << "deleting suggests again";

    // A plain a is not an á.
    window.edit->clear();
    Type(window.edit, "jan");
    EXPECT_EQ(Suggestions(), Utf8List({"Jana"}));
    window.edit->selectAll();
    QTest::keyClick(window.edit, Qt::Key_Delete);
    EXPECT_TRUE(Suggestions().isEmpty()) << "nothing typed, nothing offered";
}

TEST(AutoComplete, AppendFillsInTheRestSelectedAndDeletingDoesNotFillInAgain) {
    Window window;
    ASSERT_TRUE(Bind(window.source, window.edit, CSmsAutoComplete::AutoAppend));
    Type(window.edit, "Pe");
    EXPECT_EQ(window.edit->text(), "Peter");
    EXPECT_EQ(window.edit->selectedText(), "ter");
    EXPECT_TRUE(Suggestions().isEmpty()) << "appending alone pops nothing up";

    Type(window.edit, "t");
    EXPECT_EQ(window.edit->text(), "Peter") << "typing on replaces the filled-in rest";
    EXPECT_EQ(window.edit->selectedText(), "er");

    QTest::keyClick(window.edit, Qt::Key_Backspace);
    EXPECT_EQ(window.edit->text(), "Pet");
    QTest::keyClick(window.edit, Qt::Key_Backspace);
    EXPECT_EQ(window.edit->text(), "Pe");
    EXPECT_FALSE(window.edit->hasSelectedText());

    Type(window.edit, "t");
    EXPECT_EQ(window.edit->text(), "Peter");
    QTest::keyClick(window.edit, Qt::Key_Delete);
    EXPECT_EQ(window.edit->text(), "Pet");

    // The typed letters stay as typed; the first fitting string gives the rest.
    window.edit->clear();
    Type(window.edit, "já");
    EXPECT_EQ(window.edit->text(), QString::fromUtf8("ján Novák"));
    EXPECT_EQ(window.edit->selectedText(), QString::fromUtf8("n Novák"));

    // Typing in the middle fills nothing in.
    window.edit->setText("e");
    window.edit->setCursorPosition(0);
    Type(window.edit, "P");
    EXPECT_EQ(window.edit->text(), "Pe");
}

TEST(AutoComplete, AnEditableComboBoxSuggestsAppendsAndTakesAPickedSuggestion) {
    Window window;
    QCompleter* ownCompleter = window.combo->completer();
    ASSERT_TRUE(Bind(window.source, window.combo, kBoth));
    EXPECT_EQ(window.combo->completer(), nullptr) << "its own completer would fight ours";

    QLineEdit* edit = window.combo->lineEdit();
    Type(edit, "Já");
    EXPECT_EQ(window.combo->currentText(), QString::fromUtf8("Ján Novák"));
    EXPECT_EQ(edit->selectedText(), QString::fromUtf8("n Novák"));
    EXPECT_EQ(Suggestions(), Utf8List({"Ján Novák", "JÁN Horák", "jánošík"}));

    QAbstractItemView* popup = Popup(edit);
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Down);
    EXPECT_EQ(window.combo->currentText(), QString::fromUtf8("JÁN Horák"));
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_TRUE(Suggestions().isEmpty());
    EXPECT_EQ(window.combo->currentText(), QString::fromUtf8("JÁN Horák"));

    // The pick from before does not come back when the list changes under it.
    edit->selectAll();
    Type(edit, "p");
    EXPECT_EQ(window.combo->currentText(), "peter");
    EXPECT_EQ(edit->selectedText(), "eter");
    EXPECT_EQ(Suggestions(), (QStringList{"Peter", "Pavol"}));

    window.source.Unbind();
    EXPECT_EQ(window.combo->completer(), ownCompleter) << "given back";

    QComboBox fixed;
    fixed.addItem("Peter");
    EXPECT_FALSE(Bind(window.source, &fixed, kBoth)) << "no line edit to complete in";
    EXPECT_FALSE(Bind(window.source, static_cast<QLineEdit*>(nullptr), kBoth));
    EXPECT_FALSE(window.source.IsBound());
}

TEST(AutoComplete, ASecondBindIsRefusedAndTheFirstKeepsWorkingUntilUnbind) {
    Window window;
    ASSERT_TRUE(Bind(window.source, window.edit, kBoth));
    EXPECT_FALSE(Bind(window.source, window.otherEdit, kBoth));
    EXPECT_FALSE(Bind(window.source, window.edit, kBoth));

    Type(window.otherEdit, "Pe");
    EXPECT_EQ(window.otherEdit->text(), "Pe");
    EXPECT_TRUE(Suggestions().isEmpty());

    Type(window.edit, "Pa");
    EXPECT_EQ(window.edit->text(), "Pavol");
    EXPECT_EQ(Suggestions(), QStringList{"Pavol"});

    window.source.Unbind();
    EXPECT_TRUE(Suggestions().isEmpty());
    EXPECT_TRUE(window.source.GetStrings().empty());
    window.source.InsertString("Peter");
    window.edit->clear();
    Type(window.edit, "Pe");
    EXPECT_EQ(window.edit->text(), "Pe") << "unbound, typing offers nothing";
    EXPECT_TRUE(Suggestions().isEmpty());

    ASSERT_TRUE(Bind(window.source, window.otherEdit, kBoth));
    window.otherEdit->clear();
    Type(window.otherEdit, "P");
    EXPECT_EQ(window.otherEdit->text(), "Peter");
}

TEST(AutoComplete, StringsChangedWhileBoundAreOfferedWithoutBindingAgain) {
    Window window;
    window.source.ResetContent();
    ASSERT_TRUE(Bind(window.source, window.edit, kBoth));
    Type(window.edit, "E");
    EXPECT_TRUE(Suggestions().isEmpty());

    // The compose page fills the strings when it comes up...
    window.source.InsertString("Eva");
    window.source.InsertString(ToAnsi(QString::fromUtf8("Émile")));
    window.edit->clear();
    Type(window.edit, "e");
    EXPECT_EQ(window.edit->text(), "eva");
    EXPECT_EQ(Suggestions(), QStringList{"Eva"});
    window.edit->clear();
    Type(window.edit, "é");
    EXPECT_EQ(Suggestions(), Utf8List({"Émile"}));

    // ...and empties them when it goes.
    window.source.ResetContent();
    window.edit->clear();
    Type(window.edit, "E");
    EXPECT_EQ(window.edit->text(), "E");
    EXPECT_TRUE(Suggestions().isEmpty());
}

TEST(AutoComplete, AFieldThatGoesFirstLeavesTheSourceSafeToUnbindAndDestroy) {
    auto source = std::make_unique<CSmsAutoComplete>();
    source->InsertString("Eva");
    {
        QLineEdit edit;
        ASSERT_TRUE(Bind(*source, &edit, kBoth));
        edit.show();
        Type(&edit, "E");
        EXPECT_EQ(Suggestions(), QStringList{"Eva"});
    }
    EXPECT_TRUE(Suggestions().isEmpty());
    source->Unbind();
    EXPECT_EQ(source->GetRefCount(), 0u);

    QLineEdit edit;
    ASSERT_TRUE(Bind(*source, &edit, kBoth));
    source.reset(); // the source goes while bound
    Type(&edit, "E");
    EXPECT_EQ(edit.text(), "E");
    EXPECT_EQ(edit.findChild<QCompleter*>("autoCompleter"), nullptr);
}
