#pragma once

#include "QuillonControlsExport.h"
#include "frontend/ICallRunner.h"
#include "service/CallCanceller.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <thread>

// Runs one window's service calls on a thread of their own. Meanwhile the application shows the
// wait cursor and the window keeps painting but ignores input (mouse, keys, shortcuts); done
// runs on the window's thread once the work is over. Cancel, and destroying the runner (the
// window closing), cancels the running call through its CallCanceller and waits for the work
// to end; done then never runs. A window holds its runner as a member declared after everything
// the calls use, so the runner goes first and no call outlives what it works on.
// Only the window and its child widgets ignore input: a dialog opened over it meanwhile (a window
// of its own, e.g. a question the work asks on the user-interface thread) takes input as usual.
class QUILLON_CONTROLS_EXPORT WindowCallRunner : public QObject, public ICallRunner {
    Q_OBJECT
public:
    explicit WindowCallRunner(QWidget* window);
    ~WindowCallRunner() override;

    bool Run(std::function<void()> work, std::function<void()> done) override;
    bool IsBusy() const override { return m_busy; }
    void Cancel() override;

signals:
    // After a call's done has run (not after a cancelled call).
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Finish(unsigned call);
    // Joins the thread and gives the window back its cursor and input.
    void EndCall();

    QPointer<QWidget> m_window;
    CallCanceller m_canceller;
    std::thread m_thread;
    std::function<void()> m_done;
    bool m_busy = false;
    // Counts calls, so a finish that was queued for a cancelled call is not taken for the next.
    unsigned m_call = 0;
};
