#pragma once

#include "QuillonControlsExport.h"

#include <QIcon>

// The icon of the desktop's icon theme with that freedesktop name, or the project's own picture
// of it (":/quillon/icons/<name>.svg") where the theme has none.
QUILLON_CONTROLS_EXPORT QIcon ThemeIcon(const QString& name);
// One of the project's own pictures by name (":/quillon/icons/<name>.svg"), whatever the theme.
QUILLON_CONTROLS_EXPORT QIcon OwnIcon(const QString& name);
