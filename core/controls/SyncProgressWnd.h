#pragma once

#include "QuillonControlsExport.h"

#include <QFrame>

// The small window without a caption that says a synchronisation is running: its two texts
// and a busy bar. Modeless; it stays above its parent and is centred on it.
class QUILLON_CONTROLS_EXPORT SyncProgressWnd : public QFrame {
    Q_OBJECT
public:
    explicit SyncProgressWnd(QWidget* parent = nullptr);

    // Shows the window centred on the parent's window (on the screen without one) and paints
    // it at once, so it is seen even while the caller's thread keeps working.
    void ShowCentred();
};
