#include "windows/ImportDlg.h"

#include "controls/ControlsText.h"
#include "frontend/IMessageBox.h"
#include "logic/ImportCaptions.h"
#include "logic/ImportChoices.h"
#include "logic/ImportFilter.h"
#include "logic/ProgramStrings.h"
#include "windows/AlternativeNumberDlg.h"
#include "windows/DialogButtons.h"
#include "windows/ProgramText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::Import;

// Records read between two turns of the event loop.
constexpr int kRecordsPerStep = 250;
constexpr int kProgressSteps = 1000;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

QString String(int id) {
    return FromUtf8(std::string(ProgramStrings().GetUtf8(id).value_or("")));
}

// A file dialog's name filters from a "#"-separated filter string.
QStringList NameFilters(ImportFileType type) {
    QStringList filters;
    for (const FileFilterEntry& entry : ParseFileFilter(ImportFilterText(type))) {
        QString description = FromUtf8(entry.description);
        // Qt reads the patterns from the last parentheses: those of the string's own patterns.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0)
            description = description.left(open).trimmed();
        const QString patterns =
            FromUtf8(entry.patterns).replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters;
}

QRadioButton* Radio(int control, const char* name, QWidget* parent) {
    auto* radio = new QRadioButton(Caption(control), parent);
    radio->setObjectName(QLatin1String(name));
    radio->setAccessibleName(Spoken(radio->text()));
    return radio;
}

// The alternative-number dialog over the window that runs the import.
class WidgetAlternativeNumbers : public IAlternativeNumberDialog {
public:
    explicit WidgetAlternativeNumbers(QWidget* parent) : m_parent(parent) {}
    int Choose(const std::string& name, const std::vector<CandidateNumber>& numbers) override {
        return AlternativeNumberDlg::Ask(name, numbers, m_parent);
    }

private:
    QWidget* m_parent;
};

} // namespace

ImportDlg::ImportDlg(IMessageBox& boxes, QWidget* parent) : QDialog(parent), m_boxes(boxes) {
    setObjectName(QStringLiteral("importDialog"));
    setWindowTitle(Caption(ProgramCaptions::kCaption));
    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);

    auto* source = new QGroupBox(Caption(Ids::kSourceBox), this);
    source->setObjectName(QStringLiteral("sourceGroupBox"));
    auto* grid = new QGridLayout(source);
    auto* sources = new QButtonGroup(this);
    auto* fileSource = Radio(Ids::kFileSource, "fileRadioButton", source);
    fileSource->setChecked(true);
    sources->addButton(fileSource);
    grid->addWidget(fileSource, 0, 0, 1, 3);

    auto* typeLabel = new QLabel(Caption(Ids::kFileTypeLabel), source);
    m_type = new QComboBox(source);
    m_type->setObjectName(QStringLiteral("typeComboBox"));
    m_type->setAccessibleName(Caption(Ids::kFileType));
    for (int type = 0; type < ImportChoices::kTypeCount; ++type)
        m_type->addItem(FromUtf8(ImportTypeName(static_cast<ImportFileType>(type))));
    typeLabel->setBuddy(m_type);
    grid->addWidget(typeLabel, 1, 0);
    grid->addWidget(m_type, 1, 1, 1, 2);

    auto* nameLabel = new QLabel(Caption(Ids::kFileNameLabel), source);
    m_fileName = new QLineEdit(source);
    m_fileName->setObjectName(QStringLiteral("fileNameLineEdit"));
    m_fileName->setAccessibleName(Caption(Ids::kFileName));
    m_fileName->setMinimumWidth(280);
    nameLabel->setBuddy(m_fileName);
    auto* browse = new QPushButton(Caption(Ids::kBrowse), source);
    browse->setObjectName(QStringLiteral("browsePushButton"));
    browse->setAccessibleName(String(ProgramString::ImportFileTitle));
    browse->setAutoDefault(false);
    grid->addWidget(nameLabel, 2, 0);
    grid->addWidget(m_fileName, 2, 1);
    grid->addWidget(browse, 2, 2);

    m_skipFirstLine = new QCheckBox(Caption(Ids::kSkipFirstLine), source);
    m_skipFirstLine->setObjectName(QStringLiteral("skipFirstLineCheckBox"));
    m_skipFirstLine->setAccessibleName(Spoken(m_skipFirstLine->text()));
    grid->addWidget(m_skipFirstLine, 3, 1, 1, 2);

    // The mail client's contacts are not reachable here: its source is shown, never offered.
    auto* outlook = Radio(Ids::kOutlookSource, "outlookRadioButton", source);
    outlook->setEnabled(false);
    sources->addButton(outlook);
    grid->addWidget(outlook, 4, 0, 1, 3);
    auto* folderLabel = new QLabel(Caption(Ids::kFolderLabel), source);
    folderLabel->setEnabled(false);
    auto* folder = new QLineEdit(source);
    folder->setObjectName(QStringLiteral("folderLineEdit"));
    folder->setAccessibleName(Caption(Ids::kFolder));
    folder->setReadOnly(true);
    folder->setEnabled(false);
    auto* change = new QPushButton(Caption(Ids::kChangeFolder), source);
    change->setObjectName(QStringLiteral("changeFolderPushButton"));
    change->setAccessibleName(Spoken(change->text()));
    change->setAutoDefault(false);
    change->setEnabled(false);
    grid->addWidget(folderLabel, 5, 0);
    grid->addWidget(folder, 5, 1);
    grid->addWidget(change, 5, 2);
    main->addWidget(source);

    auto* duplicates = new QGroupBox(Caption(Ids::kDuplicatesBox), this);
    duplicates->setObjectName(QStringLiteral("duplicatesGroupBox"));
    auto* duplicatesLayout = new QHBoxLayout(duplicates);
    m_duplicates = new QButtonGroup(this);
    auto* keep = Radio(Ids::kKeepDuplicates, "keepRadioButton", duplicates);
    keep->setChecked(true);
    m_duplicates->addButton(keep, 0);
    m_duplicates->addButton(Radio(Ids::kOverwriteDuplicates, "overwriteRadioButton", duplicates),
                            1);
    for (QAbstractButton* button : m_duplicates->buttons())
        duplicatesLayout->addWidget(button);
    duplicatesLayout->addStretch();
    main->addWidget(duplicates);

    auto* noMobile = new QGroupBox(Caption(Ids::kNoMobileBox), this);
    noMobile->setObjectName(QStringLiteral("noMobileGroupBox"));
    auto* noMobileLayout = new QVBoxLayout(noMobile);
    m_noMobile = new QButtonGroup(this);
    auto* skip = Radio(Ids::kNoMobileSkip, "noMobileSkipRadioButton", noMobile);
    skip->setChecked(true);
    m_noMobile->addButton(skip, static_cast<int>(NoMobileMode::Skip));
    m_noMobile->addButton(Radio(Ids::kNoMobileAsk, "noMobileAskRadioButton", noMobile),
                          static_cast<int>(NoMobileMode::Ask));
    m_noMobile->addButton(
        Radio(Ids::kNoMobileAskIfSeveral, "noMobileAskIfSeveralRadioButton", noMobile),
        static_cast<int>(NoMobileMode::AskIfSeveral));
    for (QAbstractButton* button : m_noMobile->buttons())
        noMobileLayout->addWidget(button);
    main->addWidget(noMobile);

    const DialogButtons buttons = OkCancelButtons(this, Ids::kDialog);
    main->addWidget(buttons.box);

    connect(m_type, &QComboBox::currentIndexChanged, this, &ImportDlg::UpdateOffers);
    connect(browse, &QPushButton::clicked, this, &ImportDlg::Browse);
    UpdateOffers();
    m_fileName->setFocus();
}

ImportOptions ImportDlg::Options() const {
    ImportOptions options;
    options.type = static_cast<ImportFileType>(m_type->currentIndex());
    options.skipFirstLine =
        ImportChoices::OffersSkipFirstLine(options.type) && m_skipFirstLine->isChecked();
    options.overwrite = m_duplicates->checkedId() == 1;
    options.noMobile = static_cast<NoMobileMode>(m_noMobile->checkedId());
    return options;
}

QString ImportDlg::FileName() const {
    return m_fileName->text().trimmed();
}

void ImportDlg::SetFileType(ImportFileType type) {
    m_type->setCurrentIndex(static_cast<int>(type));
}

void ImportDlg::SetFileName(const QString& fileName) {
    m_fileName->setText(fileName);
}

void ImportDlg::UpdateOffers() {
    const auto type = static_cast<ImportFileType>(m_type->currentIndex());
    m_skipFirstLine->setEnabled(ImportChoices::OffersSkipFirstLine(type));
    for (QAbstractButton* button : m_noMobile->buttons())
        button->setEnabled(ImportChoices::OffersNoMobileChoice(type));
}

void ImportDlg::Browse() {
    QFileDialog dialog(this, String(ProgramString::ImportFileTitle), FileName());
    dialog.setObjectName(QStringLiteral("importFileDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(NameFilters(Options().type));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_fileName->setText(dialog.selectedFiles().constFirst());
}

void ImportDlg::accept() {
    if (!ImportChoices::HasFileName(ToAnsi(m_fileName->text()))) {
        m_boxes.Show(ProgramStrings(), ProgramString::EnterFileName, {},
                     IMessageBox::Icon::Exclamation);
        m_fileName->setFocus();
        return;
    }
    QDialog::accept();
}

std::unique_ptr<QProgressDialog> ImportDlg::MakeProgressDialog(QWidget* parent) {
    auto progress = std::make_unique<QProgressDialog>(String(ProgramString::ImportProgress),
                                                      String(ProgramString::ImportCancel), 0,
                                                      kProgressSteps, parent);
    progress->setObjectName(QStringLiteral("importProgressDialog"));
    progress->setWindowTitle(Caption(ProgramCaptions::kCaption));
    progress->setWindowModality(Qt::WindowModal);
    progress->setAutoReset(false);
    progress->setAutoClose(false);
    progress->setMinimumDuration(300);
    progress->setMinimumWidth(360);
    return progress;
}

bool ImportDlg::Import(CSmsAddressBook& book, IMessageBox& boxes, const ImportOptions& options,
                       const QString& fileName, QWidget* parent) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        boxes.Show(ProgramStrings(), ProgramString::ImportReadFailed,
                   {fileName.toStdString(), file.errorString().toStdString()},
                   IMessageBox::Icon::Stop);
        return false;
    }
    const QByteArray bytes = file.readAll();
    WidgetAlternativeNumbers numbers(parent);
    AddressImport import(book, boxes, numbers, options,
                         MakeImportSource(options, bytes.toStdString()));

    const std::unique_ptr<QProgressDialog> progress = MakeProgressDialog(parent);
    QEventLoop loop;
    QTimer next;
    next.setSingleShot(true);
    // One step per turn of the loop; the timer is idle while a step asks a question, so no step
    // starts inside another.
    QObject::connect(&next, &QTimer::timeout, &loop, [&] {
        if (progress->wasCanceled())
            import.Cancel();
        else
            import.Step(kRecordsPerStep);
        if (import.GetState() != AddressImport::State::Reading) {
            loop.quit();
            return;
        }
        progress->setValue(static_cast<int>(import.Progress() * kProgressSteps));
        next.start(0);
    });
    next.start(0);
    loop.exec();
    progress->close();
    return import.BookChanged();
}

bool ImportDlg::Run(CSmsAddressBook& book, IMessageBox& boxes, QWidget* parent) {
    ImportDlg dialog(boxes, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return Import(book, boxes, dialog.Options(), dialog.FileName(), parent);
}
