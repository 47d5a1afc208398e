#include "controls/Pictures.h"

QIcon OwnIcon(const QString& name) {
    return QIcon(QStringLiteral(":/quillon/icons/%1.svg").arg(name));
}

QIcon ThemeIcon(const QString& name) {
    return QIcon::fromTheme(name, OwnIcon(name));
}
