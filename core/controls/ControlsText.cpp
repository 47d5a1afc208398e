#include "controls/ControlsText.h"

#include "model/CoreTexts.h"
#include "model/Utilities.h"

#include <QRegularExpression>

QString ToQString(const std::string& ansi) {
    return QString::fromStdString(AnsiToUtf8(ansi));
}

std::string ToAnsi(const QString& text) {
    return Utf8ToAnsi(text.toStdString());
}

QString FromUtf8(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString Spoken(const QString& caption) {
    QString spoken = caption;
    spoken.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return spoken;
}

QString CoreCaption(int dialog, int control) {
    const auto caption = CoreTexts::CaptionUtf8(dialog, control);
    return caption ? FromUtf8(*caption) : QString();
}
