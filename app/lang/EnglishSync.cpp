// The English texts of the address book synchronisation's dialogs.
#include "EnglishTexts.h"

EnglishTexts EnglishSyncTexts() {
    return {};
}
