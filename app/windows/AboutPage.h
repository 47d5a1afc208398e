#pragma once

#include "controls/HyperLink.h"

#include <QWidget>

#include <string>
#include <vector>

class QLabel;

// The help page of the main window: the program's version and the links to the operator's help
// pages (support, news, update, the on-line manual).
class AboutPage : public QWidget {
    Q_OBJECT
public:
    explicit AboutPage(QWidget* parent = nullptr);

    // The service endpoint whose host serves the help pages (from the environment unless set).
    void SetServiceUrl(const std::string& url);
    // How the links are opened (the desktop's browser unless a test says otherwise).
    void SetUrlOpener(const HyperLink::Opener& opener);
    const std::vector<HyperLink*>& Links() const { return m_links; }

private:
    std::vector<HyperLink*> m_links;
};
