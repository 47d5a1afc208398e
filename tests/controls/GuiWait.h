#pragma once

#include <QApplication>
#include <QDeadlineTimer>

#include <functional>

// Handles the window's events until condition holds; false when it still does not after a
// long while (the test then fails on what it expected, never on how long it took).
inline bool WaitUntil(const std::function<bool()>& condition) {
    const QDeadlineTimer deadline(30000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}
