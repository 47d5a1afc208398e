#pragma once

#include "QuillonControlsExport.h"

#include <QLabel>
#include <QUrl>

#include <functional>

class CServiceLock;

// A link to a web page: the text underlined in the operator's colour (before and after a visit),
// the hand cursor, focusable; a click, Enter or Space opens the URL in the desktop's browser.
// A link that carries the session token is opened under the program's service lock, which is
// then told that a link was opened, so that the next service call leaves the browser time to
// use the token.
class QUILLON_CONTROLS_EXPORT HyperLink : public QLabel {
    Q_OBJECT
public:
    // Opens a URL; true when it was opened.
    using Opener = std::function<bool(const QUrl&)>;

    explicit HyperLink(const QString& text = {}, QWidget* parent = nullptr);

    // A changed URL counts as not yet visited.
    void SetUrl(const QUrl& url);
    QUrl Url() const { return m_url; }
    // The link carries the session token: it is opened under lock (which must outlive the link;
    // null: it carries none).
    void SetTokenLock(CServiceLock* lock) { m_tokenLock = lock; }
    // How URLs are opened (the desktop's browser unless a test records them instead).
    void SetOpener(Opener opener) { m_opener = std::move(opener); }
    bool IsVisited() const { return m_visited; }

    static QColor LinkColour() { return QColor(226, 0, 116); }

public slots:
    // Opens the URL, if there is one; true when it was opened (it is then visited).
    bool Open();

signals:
    void opened();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QUrl m_url;
    CServiceLock* m_tokenLock = nullptr;
    Opener m_opener;
    bool m_visited = false;
};
