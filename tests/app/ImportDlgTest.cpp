// The import dialog, the alternative-number dialog and the progress of a long import.
#include "windows/ImportDlg.h"
#include "ScriptedMessageBox.h"
#include "TestSupport.h"
#include "logic/ProgramStrings.h"
#include "model/SmsAddressBook.h"
#include "platform/CodePage.h"
#include "windows/AlternativeNumberDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace {

template <class W> W* Find(QWidget& parent, const char* name) {
    W* widget = parent.findChild<W*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void Click(QWidget& parent, const char* button) {
    QTest::mouseClick(Find<QPushButton>(parent, button), Qt::LeftButton);
}

// Runs the action on every modal dialog of that name as it shows, until the object goes.
class ModalAnswerer : public QObject {
public:
    ModalAnswerer(const char* name, std::function<void(QDialog&)> answer)
        : m_name(QLatin1String(name)), m_answer(std::move(answer)) {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog && dialog->objectName() == m_name && dialog != m_last) {
                m_last = dialog;
                ++count;
                m_answer(*dialog);
            }
        });
        m_timer.start(5);
    }
    int count = 0;

private:
    QString m_name;
    std::function<void(QDialog&)> m_answer;
    QTimer m_timer;
    QDialog* m_last = nullptr;
};

TEST(ImportDialog, OkWithoutAFileNameAsksForOne) {
    ScriptedMessageBox boxes;
    ImportDlg dialog(boxes);
    dialog.show();
    Find<QLineEdit>(dialog, "fileNameLineEdit")->setText(QStringLiteral("   "));
    Find<QPushButton>(dialog, "okButton")->setFocus();
    Click(dialog, "okButton");
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::EnterFileName});
    EXPECT_EQ(boxes.Last().text, "Zadajte názov súboru");
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Exclamation);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(dialog, "fileNameLineEdit"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Import adresára"));
}

TEST(ImportDialog, OffersTheOptionsOfEachFileType) {
    ScriptedMessageBox boxes;
    ImportDlg dialog(boxes);
    auto* types = Find<QComboBox>(dialog, "typeComboBox");
    ASSERT_EQ(types->count(), 5);
    EXPECT_EQ(types->currentIndex(), 0);
    EXPECT_EQ(types->itemText(0), QStringLiteral("CSV súbor (Quillon)"));
    EXPECT_EQ(types->itemText(1), QStringLiteral("CSV súbor (kompatibilný s Outlook 98)"));
    EXPECT_EQ(types->itemText(3), QStringLiteral("NBU súbor (Nokia PC Suite)"));
    EXPECT_EQ(types->itemText(4), QStringLiteral("vCard (*.vcf)"));
    auto* skip = Find<QCheckBox>(dialog, "skipFirstLineCheckBox");
    auto* ask = Find<QRadioButton>(dialog, "noMobileAskRadioButton");
    for (int type = 0; type < types->count(); ++type) {
        SCOPED_TRACE(type);
        types->setCurrentIndex(type);
        EXPECT_EQ(skip->isEnabled(), type == 0);
        EXPECT_EQ(ask->isEnabled(), type != 0);
    }
    // The mail client's source is shown but never offered.
    EXPECT_FALSE(Find<QRadioButton>(dialog, "outlookRadioButton")->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(dialog, "folderLineEdit")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(dialog, "changeFolderPushButton")->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>(dialog, "fileRadioButton")->isChecked());

    // Skipping the first line counts only where it is offered.
    types->setCurrentIndex(0);
    skip->setChecked(true);
    EXPECT_TRUE(dialog.Options().skipFirstLine);
    types->setCurrentIndex(1);
    EXPECT_FALSE(dialog.Options().skipFirstLine);
    Find<QRadioButton>(dialog, "overwriteRadioButton")->setChecked(true);
    ask->setChecked(true);
    EXPECT_TRUE(dialog.Options().overwrite);
    EXPECT_EQ(dialog.Options().noMobile, NoMobileMode::Ask);
}

TEST(ImportDialog, BrowsingFiltersByTypeWithTheMistypedPatternMended) {
    ScriptedMessageBox boxes;
    ImportDlg dialog(boxes);
    dialog.SetFileType(ImportFileType::Nbu);
    QStringList filters;
    ModalAnswerer answer("importFileDialog", [&](QDialog& fileDialog) {
        filters = static_cast<QFileDialog&>(fileDialog).nameFilters();
        fileDialog.reject();
    });
    Click(dialog, "browsePushButton");
    EXPECT_EQ(filters, (QStringList{QStringLiteral("NBU Súbory (*.nbu)"),
                                    QStringLiteral("Všetky súbory (*.*)")}));
}

TEST(AlternativeNumberDialog, YesTakesTheSelectedNumberNoNone) {
    const std::vector<CandidateNumber> numbers{{NumberLabel::Work, "02 111"},
                                               {NumberLabel::Home, "02 222"},
                                               {NumberLabel::Other, "02 333"}};
    AlternativeNumberDlg dialog(Utf8TextToAnsi("Ján"), numbers);
    EXPECT_EQ(Find<QLineEdit>(dialog, "nameLineEdit")->text(), QStringLiteral("Ján"));
    auto* list = Find<QListWidget>(dialog, "numbersListWidget");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Domov: 02 222"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Alternatívne číslo"));

    ModalAnswerer yes("alternativeNumberDialog", [](QDialog& shown) {
        Find<QListWidget>(shown, "numbersListWidget")->setCurrentRow(2);
        Click(shown, "yesButton");
    });
    EXPECT_EQ(AlternativeNumberDlg::Ask("x", numbers, nullptr), 2);
}

TEST(AlternativeNumberDialog, NoTakesNone) {
    ModalAnswerer no("alternativeNumberDialog", [](QDialog& shown) { Click(shown, "noButton"); });
    EXPECT_EQ(AlternativeNumberDlg::Ask("x", {{NumberLabel::Work, "02 111"}}, nullptr), -1);
}

class ImportRunTest : public ::testing::Test {
protected:
    // The whole import through the dialog: type, file and options chosen, then OK.
    bool Run(ImportFileType type, const QString& file, NoMobileMode noMobile) {
        ModalAnswerer fill("importDialog", [&](QDialog& shown) {
            auto& dialog = static_cast<ImportDlg&>(shown);
            dialog.SetFileType(type);
            dialog.SetFileName(file);
            Find<QRadioButton>(dialog, noMobile == NoMobileMode::AskIfSeveral
                                           ? "noMobileAskIfSeveralRadioButton"
                                           : "noMobileSkipRadioButton")
                ->setChecked(true);
            Click(dialog, "okButton");
        });
        return ImportDlg::Run(book, boxes, &window);
    }

    QWidget window;
    CSmsAddressBook book;
    ScriptedMessageBox boxes;
};

QString DataFile(const char* name) {
    return QStringLiteral(TEST_DATA_DIR "/import/") + QLatin1String(name);
}

TEST_F(ImportRunTest, EveryFileTypeOfTheTestData) {
    struct Case {
        const char* file;
        ImportFileType type;
        int count;
        int asked; // alternative-number dialogs
    };
    const Case cases[] = {
        {"quillon.csv", ImportFileType::QuillonCsv, 3, 0},
        {"utf8-bom.csv", ImportFileType::QuillonCsv, 2, 0},
        {"outlook98.csv", ImportFileType::Outlook98Csv, 3, 1},
        {"contacts.nfc", ImportFileType::Nfc, 3, 1},
        {"contacts.nbu", ImportFileType::Nbu, 2, 0},
        {"contacts.vcf", ImportFileType::VCard, 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        book.RemoveAll();
        boxes.Clear();
        // A record with two other numbers asks; the home number (the second) is valid.
        ModalAnswerer numbers("alternativeNumberDialog", [](QDialog& shown) {
            Find<QListWidget>(shown, "numbersListWidget")->setCurrentRow(1);
            Click(shown, "yesButton");
        });
        EXPECT_TRUE(Run(c.type, DataFile(c.file), NoMobileMode::AskIfSeveral));
        EXPECT_EQ(book.GetItemCount(), c.count);
        EXPECT_EQ(boxes.Last().stringId, ProgramString::ImportDone);
        EXPECT_EQ(numbers.count, c.asked);
    }
    EXPECT_NE(book.GetItemByName(Utf8TextToAnsi("Markéta Rys")), nullptr);
}

TEST_F(ImportRunTest, AMissingFileSaysWhy) {
    EXPECT_FALSE(
        Run(ImportFileType::QuillonCsv, QStringLiteral("/nonexistent/x.csv"), NoMobileMode::Skip));
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::ImportReadFailed});
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Stop);
}

TEST_F(ImportRunTest, CancellingALongImportStoresNothing) {
    TempDir folder;
    const std::string path = (folder.Path() / "long.csv").string();
    {
        std::ofstream file(path);
        for (int i = 0; i < 20000; ++i)
            file << "Kontakt " << i << ",0903" << 100000 + i << ",,Skupina\n";
    }
    QTimer press;
    int pressed = 0;
    QObject::connect(&press, &QTimer::timeout, [&] {
        if (auto* progress = window.findChild<QProgressDialog*>("importProgressDialog")) {
            progress->cancel();
            ++pressed;
        }
    });
    press.start(1);
    EXPECT_FALSE(Run(ImportFileType::QuillonCsv, QString::fromStdString(path), NoMobileMode::Skip));
    EXPECT_GT(pressed, 0);
    EXPECT_EQ(book.GetItemCount(), 0);
    EXPECT_EQ(book.GetGroupCount(), 0);
    EXPECT_TRUE(boxes.Shown().empty());
}

} // namespace
