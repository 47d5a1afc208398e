#include "logic/ImportChoices.h"

namespace ImportChoices {

bool OffersSkipFirstLine(ImportFileType type) {
    return type == ImportFileType::QuillonCsv;
}

bool OffersNoMobileChoice(ImportFileType type) {
    return type != ImportFileType::QuillonCsv;
}

bool HasFileName(const std::string& fileName) {
    return fileName.find_first_not_of(" \t") != std::string::npos;
}

} // namespace ImportChoices
