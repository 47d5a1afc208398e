#pragma once

#include "QuillonControlsExport.h"
#include "frontend/IMessageBox.h"

#include <QPointer>
#include <QString>
#include <QWidget>

// Message boxes and questions for people: a modal QMessageBox over the parent window, titled
// with the program's title.
class QUILLON_CONTROLS_EXPORT WidgetMessageBox : public IMessageBox {
public:
    WidgetMessageBox(QWidget* parent, QString title);
    using IMessageBox::Show;
    Answer Show(const Request& request) override;

private:
    QPointer<QWidget> m_parent;
    QString m_title;
};
