#include "windows/WidgetAddressPageDialogs.h"

#include "controls/ControlsText.h"
#include "logic/ProgramStrings.h"
#include "windows/ContactDlg.h"
#include "windows/GroupDlg.h"
#include "windows/ImportDlg.h"

#include <QFileDialog>
#include <QStandardPaths>
#include <QStringList>

namespace {

QString Text(int id) {
    const auto text = ProgramStrings().GetUtf8(id);
    return text ? FromUtf8(std::string(*text)) : QString();
}

} // namespace

WidgetAddressPageDialogs::WidgetAddressPageDialogs(CSmsUserInfo& user, IMessageBox& boxes,
                                                   QWidget* parent)
    : m_user(user), m_boxes(boxes), m_parent(parent) {}

bool WidgetAddressPageDialogs::EditContact(ContactFields& fields, bool isNew) {
    return ContactDlg::Edit(fields, isNew, m_boxes, m_parent);
}

bool WidgetAddressPageDialogs::EditGroup(std::string& name, bool isNew) {
    return GroupDlg::Edit(name, isNew, m_parent);
}

QString WidgetAddressPageDialogs::FileFilter(const std::string& utf8) {
    // Names and patterns alternate; a name without its pattern gets it in brackets.
    const QStringList parts = FromUtf8(utf8).split(QLatin1Char('#'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& name = parts[i];
        const QString& pattern = parts[i + 1];
        filters.append(name.contains(pattern) ? name
                                              : QStringLiteral("%1 (%2)").arg(name, pattern));
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> WidgetAddressPageDialogs::ExportPath() {
    const auto filter = ProgramStrings().GetUtf8(ProgramString::CsvFilter);
    QFileDialog dialog(m_parent, Text(ProgramString::AddressExportTitle),
                       QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                       FileFilter(filter ? std::string(*filter) : std::string()));
    dialog.setObjectName(QStringLiteral("exportFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(Text(ProgramString::AddressExportFileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

bool WidgetAddressPageDialogs::Import(CSmsAddressBook& book) {
    return ImportDlg::Run(book, m_boxes, m_parent);
}
