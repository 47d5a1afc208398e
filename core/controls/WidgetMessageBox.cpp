#include "controls/WidgetMessageBox.h"

#include "controls/ControlsText.h"
#include "model/CoreCaptions.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <utility>

namespace {

QMessageBox::Icon BoxIcon(IMessageBox::Icon icon) {
    switch (icon) {
    case IMessageBox::Icon::Information:
        return QMessageBox::Information;
    case IMessageBox::Icon::Question:
        return QMessageBox::Question;
    case IMessageBox::Icon::Exclamation:
        return QMessageBox::Warning;
    case IMessageBox::Icon::Stop:
        return QMessageBox::Critical;
    case IMessageBox::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(IMessageBox::Buttons buttons) {
    switch (buttons) {
    case IMessageBox::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case IMessageBox::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case IMessageBox::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case IMessageBox::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton BoxButton(IMessageBox::Answer answer) {
    switch (answer) {
    case IMessageBox::Answer::Cancel:
        return QMessageBox::Cancel;
    case IMessageBox::Answer::Yes:
        return QMessageBox::Yes;
    case IMessageBox::Answer::No:
        return QMessageBox::No;
    case IMessageBox::Answer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// What closing the box without a button means: the gentler of its answers.
IMessageBox::Answer Dismissed(IMessageBox::Buttons buttons) {
    return buttons == IMessageBox::Buttons::YesNo ? IMessageBox::Answer::No
           : buttons == IMessageBox::Buttons::Ok  ? IMessageBox::Answer::Ok
                                                  : IMessageBox::Answer::Cancel;
}

IMessageBox::Answer AnswerOf(int button, IMessageBox::Buttons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return IMessageBox::Answer::Ok;
    case QMessageBox::Cancel:
        return IMessageBox::Answer::Cancel;
    case QMessageBox::Yes:
        return IMessageBox::Answer::Yes;
    case QMessageBox::No:
        return IMessageBox::Answer::No;
    default:
        return Dismissed(buttons);
    }
}

// The buttons speak the language of the windows (the core's caption table), not Qt's.
void NameButtons(QMessageBox& box) {
    using namespace CoreCaptions;
    const std::pair<QMessageBox::StandardButton, int> captions[] = {
        {QMessageBox::Yes, MessageBox::kYes},
        {QMessageBox::No, MessageBox::kNo},
        {QMessageBox::Ok, kOk},
        {QMessageBox::Cancel, kCancel},
    };
    for (const auto& [which, control] : captions) {
        QAbstractButton* button = box.button(which);
        const QString caption = CoreCaption(MessageBox::kWindow, control);
        if (button && !caption.isEmpty())
            button->setText(caption);
    }
}

} // namespace

WidgetMessageBox::WidgetMessageBox(QWidget* parent, QString title)
    : m_parent(parent), m_title(std::move(title)) {}

IMessageBox::Answer WidgetMessageBox::Show(const Request& request) {
    QMessageBox box(BoxIcon(request.icon), m_title, FromUtf8(request.text),
                    BoxButtons(request.buttons), m_parent);
    box.setObjectName(QStringLiteral("messageBox"));
    const auto standard = BoxButtons(request.buttons);
    const auto wanted = BoxButton(request.defaultButton);
    box.setDefaultButton(standard.testFlag(wanted) ? wanted
                                                   : BoxButton(FirstButton(request.buttons)));
    box.setEscapeButton(BoxButton(Dismissed(request.buttons)));
    NameButtons(box);
    return AnswerOf(box.exec(), request.buttons);
}
