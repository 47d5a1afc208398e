#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// The way a second copy of the program hands the sms: link it was started with to the copy
// that runs already: a local socket, one per user and configuration folder, that the first copy
// listens on. A link is one line of UTF-8; the listener answers "ok" once it has taken it.
class LinkChannel : public QObject {
    Q_OBJECT
public:
    // The longest line the listener reads; longer ones are dropped with the connection.
    static constexpr int kMaxLine = 16 * 1024 + 2;

    explicit LinkChannel(QObject* parent = nullptr);
    ~LinkChannel() override;

    // The socket's path: in XDG_RUNTIME_DIR (else the temporary folder, with the user id), named
    // after a hash of the configuration folder, so two profiles' copies never meet.
    static QString SocketPath();

    // Listens on path; a socket file left by a copy that crashed is taken over. False when
    // another copy listens there already or the socket cannot be made.
    bool Listen(const QString& path = SocketPath());
    // Hands link to the copy listening on path; false when none takes it within timeoutMs.
    static bool Forward(const QString& link, const QString& path = SocketPath(),
                        int timeoutMs = 3000);

signals:
    // A link came from another copy (not yet checked).
    void linkArrived(const QString& link);

private:
    void Accept();

    QLocalServer* m_server = nullptr;
};
