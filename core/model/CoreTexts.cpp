#include "model/CoreTexts.h"

#include "model/CoreCaptions.h"

#include <mutex>

namespace {

// The tables in force; each switch puts in new ones, so a table handed out never changes.
struct Texts {
    std::mutex mutex;
    std::shared_ptr<const StringTable> strings =
        std::make_shared<StringTable>(BuiltInCoreStrings());
    std::shared_ptr<const CaptionTable> captions =
        std::make_shared<CaptionTable>(BuiltInCoreCaptions());
};

Texts& Current() {
    static Texts texts;
    return texts;
}

void Use(std::shared_ptr<const StringTable> strings, std::shared_ptr<const CaptionTable> captions) {
    Texts& texts = Current();
    const std::lock_guard lock(texts.mutex);
    texts.strings = std::move(strings);
    texts.captions = std::move(captions);
}

} // namespace

namespace CoreTexts {

std::shared_ptr<const StringTable> Strings() {
    Texts& texts = Current();
    const std::lock_guard lock(texts.mutex);
    return texts.strings;
}

std::shared_ptr<const CaptionTable> Captions() {
    Texts& texts = Current();
    const std::lock_guard lock(texts.mutex);
    return texts.captions;
}

std::string String(CoreString id) {
    return Strings()->GetString(static_cast<int>(id)).value_or(std::string());
}

std::string Format(CoreString id, std::initializer_list<TextArg> args) {
    return FormatText(String(id), args);
}

std::optional<std::string> Caption(int dialog, int control) {
    return Captions()->GetCaption(dialog, control);
}

std::string Utf8(CoreString id) {
    return std::string(Strings()->GetUtf8(static_cast<int>(id)).value_or(std::string_view()));
}

std::string FormatUtf8(CoreString id, std::initializer_list<TextArg> args) {
    return FormatText(Utf8(id), args);
}

std::optional<std::string> CaptionUtf8(int dialog, int control) {
    const auto caption = Captions()->GetCaptionUtf8(dialog, control);
    return caption ? std::optional<std::string>(*caption) : std::nullopt;
}

void UseLanguage(const LanguageResources& library) {
    auto strings = std::make_shared<StringTable>(BuiltInCoreStrings());
    strings->Translate(library.strings);
    auto captions = std::make_shared<CaptionTable>(BuiltInCoreCaptions());
    captions->Translate(library.captions);
    Use(std::move(strings), std::move(captions));
}

void UseBuiltIn() {
    Use(std::make_shared<StringTable>(BuiltInCoreStrings()),
        std::make_shared<CaptionTable>(BuiltInCoreCaptions()));
}

} // namespace CoreTexts
