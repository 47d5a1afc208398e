// The English texts of the settings and about pages and their dialogs.
#include "EnglishTexts.h"

EnglishTexts EnglishSettingsTexts() {
    return {};
}
