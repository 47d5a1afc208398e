#pragma once

#include "QuillonControlsExport.h"

#include <QString>
#include <QStringList>

class IStringEnumerator;

// The strings of a string enumerator as the widgets show them, and the ones that fit what the
// user has typed.
class QUILLON_CONTROLS_EXPORT CompletionStrings {
public:
    // Reads every string again: Reset, then Next until the enumerator has no more.
    void Read(IStringEnumerator& source);
    const QStringList& All() const { return m_strings; }
    // The strings that start with typed, in their order, regardless of case (accented letters
    // too); none for empty typed.
    QStringList Matches(const QString& typed) const;

private:
    QStringList m_strings;
};
