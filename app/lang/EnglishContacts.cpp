// The English texts of the contacts and groups pages and their dialogs.
#include "EnglishTexts.h"

EnglishTexts EnglishContactsTexts() {
    return {};
}
