#pragma once

// Where the main window goes when it is minimised (or starts hidden).
enum class MinimiseTarget {
    Tray,    // the window hides and the tray icon brings it back
    Taskbar, // an ordinary minimised window
};

// Into the tray only when the user wants it and the desktop has a tray: a window hidden
// without a tray icon could never be brought back.
MinimiseTarget ChooseMinimiseTarget(bool minToTray, bool trayAvailable);
