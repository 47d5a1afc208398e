#include "controls/SyncProgressWnd.h"

#include "controls/ControlsText.h"
#include "model/CoreCaptions.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace {

namespace Ids = CoreCaptions::SyncProgress;

QLabel* AddLabel(QWidget* parent, QVBoxLayout* column, int control, const QString& name) {
    auto* label = new QLabel(CoreCaption(Ids::kWindow, control), parent);
    label->setObjectName(name);
    label->setAccessibleName(label->text());
    label->setWordWrap(true);
    column->addWidget(label);
    return label;
}

} // namespace

SyncProgressWnd::SyncProgressWnd(QWidget* parent)
    : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("syncProgressWindow"));
    setAccessibleName(CoreCaption(Ids::kWindow, Ids::kTitle));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(18, 14, 18, 14);
    column->setSizeConstraint(QLayout::SetFixedSize);
    QLabel* title = AddLabel(this, column, Ids::kTitle, QStringLiteral("titleLabel"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    QLabel* text = AddLabel(this, column, Ids::kText, QStringLiteral("textLabel"));
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 48);

    auto* bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("busyProgressBar"));
    bar->setAccessibleName(title->text());
    bar->setRange(0, 0); // busy: no known end
    bar->setTextVisible(false);
    column->addWidget(bar);
}

void SyncProgressWnd::ShowCentred() {
    adjustSize();
    QRect area;
    if (parentWidget())
        area = parentWidget()->window()->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - rect().center());
    show();
    raise();
    repaint();
}
