#include "frontend/CharacterFilter.h"

#include "model/UtilitiesInternal.h"

namespace {

bool IsOwnerKey(char c) {
    return c == CharacterFilter::Escape || c == CharacterFilter::Enter ||
           c == CharacterFilter::Tab || c == CharacterFilter::CtrlEnter;
}

bool IsAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

// What a pasted character becomes; 0 when it goes.
char PastedCharacter(char c) {
    if (c == '\t')
        return ' ';
    if (!IsAscii(c))
        return CharacterFilter::PlainLetter(c);
    const bool control = static_cast<unsigned char>(c) < 32 || c == 127;
    return control && c != '\r' && c != '\n' ? 0 : c;
}

} // namespace

char CharacterFilter::PlainLetter(char c) {
    const std::string plain = StripAccents(std::string(1, c));
    return plain.empty() || !IsAscii(plain.front()) ? 0 : plain.front();
}

CharacterFilter::Typed CharacterFilter::OfTyped(char typed) {
    if (IsOwnerKey(typed))
        return {Action::Owner, typed};
    if (IsAscii(typed))
        return {Action::Insert, typed};
    const char plain = PlainLetter(typed);
    return plain ? Typed{Action::Insert, plain} : Typed{Action::Drop, 0};
}

CharacterFilter::Pasted CharacterFilter::CleanPaste(const std::string& text, std::size_t caret) {
    Pasted pasted;
    pasted.text.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = PastedCharacter(text[i]);
        if (c != text[i])
            pasted.changed = true;
        if (c != 0)
            pasted.text += c;
        else if (i < caret)
            ++pasted.removedBeforeCaret;
    }
    return pasted;
}

std::string CharacterFilter::ServiceText(const std::string& text) {
    std::string serviceText;
    serviceText.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            serviceText += text[i];
    }
    return serviceText;
}
