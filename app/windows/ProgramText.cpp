#include "windows/ProgramText.h"

#include "logic/ProgramCaptions.h"

#include <QRegularExpression>

#include <string>

QString ProgramCaption(int dialog, int control) {
    const auto caption = BuiltInProgramCaptions().GetCaptionUtf8(dialog, control);
    return caption ? QString::fromUtf8(caption->data(), static_cast<qsizetype>(caption->size()))
                   : QString();
}

QString Spoken(const QString& caption) {
    QString spoken = caption;
    spoken.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return spoken;
}
