// The English texts of the program's start, login, main window, compose and archive pages and of
// the core's windows they show.
#include "EnglishTexts.h"

namespace {

const QuillonResString kStrings[] = {
    {102, "Quillon"},
    {128, "E&xit"},
    {165, "The service is temporarily unavailable"},
    {166, "Error communicating with Velora"},
    {170, "Logged in: %s"},
    {192, "Using this service requires registering\na phone number with your Velora account.\n"
          "Do you want to register your number now?"},
    {193, "The check string is wrong.\nDo you want to repeat the registration of the mobile "
          "number?"},
    {196, "The registration of the number is not finished\n\nDo you want to cancel it?"},
    {197, "The request to register the number was sent."},
    {198, "You have not entered a mobile number"},
    {199, "The mobile number was registered"},
    {200, "You have not entered the check string"},
    {221, "Quillon is already running.\nLogging in the same user twice may lose data in your "
          "address book and archive."},
    {300, "The request could not be carried out\n\nError E%d"},
    {310, "You entered a wrong name or password"},
    {311, "You entered a wrong name or password"},
    {366, "Wrong version of the application. Please install the latest version."},
    {400, "The request could not be carried out\n\nError S%d"},
    {57344, "Velora Quillon"},
};

const QuillonResCaption kCaptions[] = {
    {176, 0, "Velora login"},
    {176, 1900, "&Login name:"},
    {176, 1901, "&Password:"},
    {176, 1, "OK"},
    {176, 2, "Cancel"},
    {177, 0, "Mobile number registration"},
    {177, 1900, "&Mobile number:"},
    {177, 1901, "&Check string:"},
    {177, 1902, "&Send request"},
    {177, 1903, "&Verify"},
    {177, 2, "&Close"},
    {182, 1900, "Do you want to exit the application?"},
    {182, 6, "Yes"},
    {182, 7, "No"},
    {182, 1901, "&Do not ask again"},
    {196, 0, "Notice"},
    {196, 1190, "Notice"},
    {196, 1900, "&Close"},
};

} // namespace

EnglishTexts EnglishProgramTexts() {
    return {kStrings, kCaptions};
}
