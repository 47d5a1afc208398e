#include "controls/WindowCallRunner.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMetaObject>

#include <utility>

namespace {

bool IsInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

} // namespace

WindowCallRunner::WindowCallRunner(QWidget* window) : m_window(window) {}

WindowCallRunner::~WindowCallRunner() {
    Cancel();
}

bool WindowCallRunner::Run(std::function<void()> work, std::function<void()> done) {
    if (m_busy)
        return false;
    m_busy = true;
    m_done = std::move(done);
    m_canceller.Reset();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(this);
    const unsigned call = ++m_call;
    m_thread = std::thread([this, call, work = std::move(work)] {
        {
            const CallCanceller::Scope scope(m_canceller);
            try {
                work();
            } catch (...) {
            }
        }
        QMetaObject::invokeMethod(
            this, [this, call] { Finish(call); }, Qt::QueuedConnection);
    });
    return true;
}

void WindowCallRunner::Cancel() {
    if (!m_busy)
        return;
    m_canceller.Cancel();
    m_done = nullptr;
    EndCall();
}

void WindowCallRunner::Finish(unsigned call) {
    if (!m_busy || call != m_call)
        return;
    auto done = std::move(m_done);
    EndCall();
    if (done)
        done();
    emit finished();
}

void WindowCallRunner::EndCall() {
    if (m_thread.joinable())
        m_thread.join();
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    m_busy = false;
}

bool WindowCallRunner::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!m_window || !widget || (widget != m_window && !m_window->isAncestorOf(widget)))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Taken here, so no shortcut of the window fires; the key press that follows is eaten.
        event->accept();
        return true;
    }
    return IsInput(event->type());
}
