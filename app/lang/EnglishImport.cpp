// The English texts of the address book import.
#include "EnglishTexts.h"

namespace {

const QuillonResString kStrings[] = {
    {156, "The chosen folder holds no contacts"},
    {157, "Error on line %d of the imported file\n\n%s"},
    {158, "The record has no phone numbers"},
    {159, "Import finished\n\nContacts imported: %d"},
    {160, "Enter a file name"},
    {161, "Work"},
    {162, "Home"},
    {163, "Primary"},
    {164, "Other"},
    {174, "The phone number \"%s\" of the contact \"%s\" contains characters that are not "
          "allowed\n\nChoose OK to go on without importing this contact\nOtherwise the import "
          "ends"},
    {189, "Outlook is not installed"},
    {190, "NBU file (Nokia PC Suite)"},
    {191, "NBU files (*.nbu)#*.nbu#All files (*.*)#*.*##"},
    {213, "Do you want to go on without importing the record?"},
    {215, "CSV file (Quillon)"},
    {216, "CSV file (Outlook 98 compatible)"},
    {217, "NFC file (Nokia PC Suite)"},
    {218, "NFC files (*.nfc)#*.nfc#All files (*.*)#*.*##"},
    {219, "Data error while reading the NFC / NBU file"},
    {220, "Wrong version of the NFC / NBU file"},
    {2700, "vCard (*.vcf)"},
    {2701, "vCard files (*.vcf)#*.vcf#All files (*.*)#*.*##"},
    {2702, "Importing the address book..."},
    {2703, "Cancel"},
    {2704, "Choose a file to import"},
    {2705, "The file %s could not be read\n\n%s"},
};

const QuillonResCaption kCaptions[] = {
    {201, 0, "Import Address Book"},
    {201, 1902, "Source"},
    {201, 1900, "File"},
    {201, 1901, "&Outlook"},
    {201, 1903, "File &type:"},
    {201, 1221, "File type"},
    {201, 1904, "File &name:"},
    {201, 1099, "File name"},
    {201, 1100, "..."},
    {201, 1107, "Skip the first line of the file"},
    {201, 1905, "Folder:"},
    {201, 1101, "Outlook folder"},
    {201, 1102, "Change..."},
    {201, 1906, "Contacts whose name exists"},
    {201, 1103, "Keep"},
    {201, 1104, "Overwrite"},
    {201, 1907, "Contacts without a mobile number"},
    {201, 1109, "&Do not import"},
    {201, 1110, "Ask for an &alternative"},
    {201, 1217, "Ask for an alternative only when\nmore than one number is available"},
    {201, 1, "OK"},
    {201, 2, "Cancel"},
    {173, 0, "Alternative Number"},
    {173, 1900, "Name:"},
    {173, 1901,
     "The imported record has no mobile number. Do you want to import one of the "
     "following numbers instead?"},
    {173, 1902, "Numbers of the record"},
    {173, 6, "Yes"},
    {173, 7, "No"},
};

} // namespace

EnglishTexts EnglishImportTexts() {
    return {kStrings, kCaptions};
}
