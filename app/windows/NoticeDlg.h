#pragma once

#include "logic/NoticeSlide.h"

#include <QDialog>
#include <QRect>
#include <QTimer>

#include <optional>

class QTextBrowser;
class QUrl;

// The weekly notice: a borderless pop-up over its owner showing the notice page (NoticePage),
// which slides up from the owner's bottom edge to its place centred on the owner. A click on
// its close button or Escape ends it; web and mail links open in the desktop's browser. The
// caller shows it modally (exec).
class NoticeDlg : public QDialog {
    Q_OBJECT
public:
    // page: the HTML page to show, as NoticePage made it.
    explicit NoticeDlg(const QString& page, QWidget* owner = nullptr);

    // Whether the window stands at its place.
    bool HasArrived() const { return m_arrived; }
    // Puts the window at its place at once (for pictures of it).
    void Arrive();

    // Placed at the owner's bottom edge before it shows, so it never stands anywhere else.
    void setVisible(bool visible) override;

private:
    QRect OwnerArea() const;
    void StartSlide();
    void Tick();
    void OpenLink(const QUrl& url);

    QWidget* m_content = nullptr;
    QTextBrowser* m_browser = nullptr;
    int m_left = 0;
    std::optional<NoticeSlide> m_slide;
    bool m_arrived = false;
    QTimer m_timer;
};
