// The English texts of the settings and about pages and their dialogs.
#include "EnglishTexts.h"

namespace {

const QuillonResString kStrings[] = {
    {155, "Enter a number less than %d"},
    {168, "Activate service..."},
    {169, "Deactivate service..."},
    {175, "Enter the user name"},
    {195, "The check string is wrong.\nDo you want to repeat the activation of the service?"},
    {202, "Without the service you will not be able to use every feature of the "
          "application\n\nContinue?"},
    {203, "The check string was verified.\n\nThe service will be active within a few minutes"},
    {204, "The service was deactivated"},
    {205, "A service the application cannot work without was deactivated. The application will "
          "now close.\n\nThe service can be activated again after the application is restarted."},
    {208, "The new language takes effect after the application is restarted"},
    {2800, "Desktop notifications of deliveries"},
    {2801, "The settings could not be saved.\n\n%s"},
    {2802, "Starting automatically at login could not be set up."},
    {2803, "Version %s"},
};

const QuillonResCaption kCaptions[] = {
    {136, 0, "Settings"},
    {136, 1087, "A&utomatically remove\nold items from the archive"},
    {136, 1088, "Items &older than"},
    {136, 1089, "Max. &number of items"},
    {136, 1090, "Number of days"},
    {136, 1091, "Number of items"},
    {136, 1901, "days"},
    {136, 1025, "Keep sent messages in the &archive"},
    {136, 1026, "&Delivery reports"},
    {136, 1189, "Show news"},
    {136, 1900, "Payment"},
    {136, 1007, "&Monthly plan"},
    {136, 1008, "Portella &credit"},
    {136, 1129, "Top up &PC..."},
    {136, 1194, "Enter key..."},
    {136, 1031, "The application is used by &several users"},
    {136, 1032, "The application is used by &one user only"},
    {136, 1902, "Name:"},
    {136, 1033, "User name"},
    {136, 1034, "Save &password"},
    {136, 1133, "Minimise to the system &tray"},
    {136, 1134, "Start automatically at login"},
    {136, 1903, "Language:"},
    {136, 1154, "Language"},
    {136, 1904, "Archive"},
    {136, 1905, "Users"},
    {136, 1906, "Application"},
    {136, 1907, "Services"},
    {100, 0, "Help"},
    {100, 1900, "Velora Quillon"},
    {100, 1146, "Program version"},
    {100, 1114, "Support"},
    {100, 1115, "News"},
    {100, 1116, "Update"},
    {100, 1117, "Online manual"},
    {178, 0, "Service activation"},
    {178, 1900, "Terms of use of the Quillon service:"},
    {178, 1903, "Terms of use"},
    {178, 1901,
     "You accept the terms by entering the check string that you receive by SMS on your "
     "mobile number."},
    {178, 1902, "&Check string:"},
    {178, 1, "OK"},
    {178, 2, "Cancel"},
    {191, 0, "Enter key"},
    {191, 1900, "The Enter key while writing a message"},
    {191, 1155, "Inserts a &new line; with Ctrl it sends the message"},
    {191, 1156, "Sends the &SMS; with Ctrl it inserts a new line"},
    {191, 1, "OK"},
    {191, 2, "Cancel"},
};

} // namespace

EnglishTexts EnglishSettingsTexts() {
    return {kStrings, kCaptions};
}
