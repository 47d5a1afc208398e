// The English texts of the core's windows the program shows: the message edit control, the
// credit dialog, the service-activation notice, the synchronisation's dialogs, the list of
// recipient suggestions and the buttons of the message boxes.
#include "EnglishTexts.h"

namespace {

const QuillonResString kStrings[] = {
    {1, "SMS parts: %d/%d"},
    {2, "Length: %d/%d"},
    {3, "The credit reload is not finished\n\nDo you want to cancel it?"},
    {4, "The credit reload request was sent\n\nPlease enter the check code you receive on your "
        "mobile phone"},
    {5, "The check code must not be empty"},
    {6, "Your credit will be reloaded in a few minutes"},
    {7, "Wrong check code\n\nDo you want to repeat the reload?"},
    {8, "A flash SMS is at most 160 characters long!\n\nShould the text be shortened "
        "automatically?"},
    {9, "Synchronisation finished"},
    {10, "Synchronisation cancelled by the user"},
    {11, "The address book contains duplicate entries.\nThe contacts \"%s\" and \"%s\" have the "
         "same phone number.\nSynchronisation with Portella is possible only after the duplicates "
         "are removed."},
    {12, "Error deleting the contact \"%s\" from Portella. %s\r\n"},
    {13, "Error saving the contact \"%s\" to Portella. %s\r\n"},
    {14, "Error saving the group \"%s\" to Portella. %s\r\n"},
    {15, "Error deleting the group \"%s\" from Portella. %s\r\n"},
    {16, "More >>"},
    {17, "Less <<"},
    {18, "%d PC"},
    {19, "%d points, surcharge %.2f %s excl. VAT"},
};

const QuillonResCaption kCaptions[] = {
    // The credit reload dialog
    {1000, 0, "Reload Credit"},
    {1000, 1004, "&Reload"},
    {1000, 1008, "&Verify"},
    {1000, 1005, "Use &Velora Club"},
    {1000, 2, "&Close"},
    {1000, 1900,
     "Click the button to send the request for a credit reload. You will then receive a short "
     "message on your mobile phone with the check code."},
    {1000, 1901, "&Amount:"},
    {1000, 1902, "Club &points:"},
    {1000, 1903, "Check co&de:"},
    // The service-activation notice
    {203, 0, "Quillon"},
    {203, 1, "OK"},
    {203, 1900,
     "If you are a customer with a monthly plan, switch to cheaper SMS sending in the "
     "application's Settings."},
    {203, 1143, "&Do not show again"},
    // The message edit control
    {900, 3, "Number of characters"},
    {900, 2, "Number of SMS parts"},
    {900, 4, "&Flash SMS"},
    {900, 1900, "Message text"},
    // The synchronisation's mode dialog and progress window
    {193, 0, "Synchronisation with Portella"},
    {193, 1900, "Choose how to synchronise"},
    {193, 1901, "Replace the Quillon address book with the one from &Portella"},
    {193, 1902, "Replace the Portella address book with the one from &Quillon"},
    {193, 1903, "&Merge the address books"},
    {193, 1, "OK"},
    {193, 2, "Cancel"},
    {1004, 1900, "Synchronising"},
    {1004, 1901,
     "This may take up to several minutes, depending on the number of contacts in the "
     "address book"},
    // The synchronisation's conflicts
    {1002, 0, "Synchronisation conflict"},
    {1002, 1900,
     "A local contact in the address book has the same number as a Portella alias with a "
     "different name. The Portella address book cannot hold several aliases with the same "
     "number"},
    {1002, 1901, "Local contact:"},
    {1002, 1902, "Portella alias:"},
    {1002, 1903, "Delete the contact from the &Portella address book"},
    {1002, 1904, "Delete the contact from the &Quillon address book"},
    {1002, 1905, "&Ignore this conflict (do not copy the contact)"},
    {1002, 1, "OK"},
    {1002, 2, "End synchronisation"},
    {1003, 0, "Synchronisation conflict"},
    {1003, 1900,
     "A Portella alias and a Quillon contact with the same name have different numbers"},
    {1003, 1901, "Name:"},
    {1003, 1902, "Portella:"},
    {1003, 1903, "Quillon:"},
    {1003, 1904, "Copy the number from Quillon to Portella"},
    {1003, 1905, "Save the number from Portella as the contact's 1st number"},
    {1003, 1906, "Save the number from Portella as the contact's 2nd number"},
    {1003, 1907, "Do not synchronise this contact"},
    {1003, 1, "OK"},
    {1003, 2, "End synchronisation"},
    // The synchronisation's errors
    {198, 0, "Synchronisation error"},
    {198, 1900,
     "Errors occurred during the synchronisation and some entries could not be "
     "synchronised.\nTry to synchronise again."},
    {198, 1, "OK"},
    // The recipient suggestions and the message boxes' buttons
    {901, 1900, "Recipient suggestions"},
    {902, 1900, "&Yes"},
    {902, 1901, "&No"},
    {902, 1, "OK"},
    {902, 2, "Cancel"},
};

} // namespace

EnglishTexts EnglishCoreTexts() {
    return {kStrings, kCaptions};
}
