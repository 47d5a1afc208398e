#include "windows/AboutPage.h"

#include "controls/ControlsText.h"
#include "controls/Pictures.h"
#include "logic/HelpLinks.h"
#include "logic/LanguageChoice.h"
#include "logic/ProgramStrings.h"
#include "logic/SettingsPageCaptions.h"
#include "model/FormatText.h"
#include "service/TransportOptions.h"
#include "windows/ProgramText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::About;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

struct Link {
    int control;
    const char* page;
    const char* name;
};
constexpr Link kLinks[] = {
    {Ids::kSupport, "support.html", "supportLink"},
    {Ids::kNews, "news.html", "newsLink"},
    {Ids::kUpdate, "update.html", "updateLink"},
    {Ids::kManual, "manual.html", "manualLink"},
};

constexpr int kPictureSize = 96;

} // namespace

AboutPage::AboutPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("aboutPage"));
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("pictureLabel"));
    picture->setPixmap(OwnIcon(QStringLiteral("quillon")).pixmap(kPictureSize));
    picture->setAlignment(Qt::AlignCenter);

    auto* name = new QLabel(Caption(Ids::kProgramName), this);
    name->setObjectName(QStringLiteral("programNameLabel"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);

    const std::string number(ProgramVersion());
    auto* version = new QLabel(
        FromUtf8(FormatText(ProgramStrings().GetUtf8(ProgramString::VersionLabel).value_or("%s"),
                            {number})),
        this);
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setAccessibleName(Caption(Ids::kVersion));
    version->setAlignment(Qt::AlignCenter);
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* links = new QHBoxLayout;
    links->addStretch(1);
    for (const Link& link : kLinks) {
        auto* control = new HyperLink(Caption(link.control), this);
        control->setObjectName(QLatin1String(link.name));
        control->setAccessibleName(control->text());
        m_links.push_back(control);
        links->addWidget(control);
    }
    links->addStretch(1);
    links->setSpacing(24);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(picture);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addSpacing(24);
    layout->addLayout(links);
    layout->addStretch(2);
    SetServiceUrl(TransportOptions::FromEnvironment().url);
}

void AboutPage::SetServiceUrl(const std::string& url) {
    for (std::size_t i = 0; i < m_links.size(); ++i) {
        const QUrl page(QString::fromStdString(HelpPageUrl(url, kLinks[i].page)));
        m_links[i]->SetUrl(page);
        m_links[i]->setToolTip(page.toString());
    }
}

void AboutPage::SetUrlOpener(const HyperLink::Opener& opener) {
    for (HyperLink* link : m_links)
        link->SetOpener(opener);
}
