// The English texts of the address book import.
#include "EnglishTexts.h"

EnglishTexts EnglishImportTexts() {
    return {};
}
