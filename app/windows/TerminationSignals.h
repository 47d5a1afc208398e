#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C, a closed terminal) as a Qt signal on
// the user-interface thread, so the program ends as it does by its exit button: profile saved,
// session logged out. One object per process; the handlers write one byte into a pipe, the only
// thing a signal handler may safely do.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

signals:
    void received();

private:
    void Drain();

    QSocketNotifier* m_notifier = nullptr;
};
