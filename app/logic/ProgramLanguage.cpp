#include "logic/ProgramLanguage.h"

#include "logic/ProgramCaptions.h"
#include "logic/ProgramStrings.h"
#include "model/CoreTexts.h"

namespace {

StringTable& ActiveStrings() {
    static StringTable table = BuiltInProgramStrings();
    return table;
}

CaptionTable& ActiveCaptions() {
    static CaptionTable table = BuiltInProgramCaptions();
    return table;
}

} // namespace

namespace ProgramLanguage {

void Use(const LanguageResources& library) {
    StringTable strings = BuiltInProgramStrings();
    strings.Translate(library.strings);
    ActiveStrings() = std::move(strings);
    CaptionTable captions = BuiltInProgramCaptions();
    captions.Translate(library.captions);
    ActiveCaptions() = std::move(captions);
    CoreTexts::UseLanguage(library);
}

} // namespace ProgramLanguage

const StringTable& ProgramStrings() {
    return ActiveStrings();
}

const CaptionTable& ProgramCaptionTable() {
    return ActiveCaptions();
}
