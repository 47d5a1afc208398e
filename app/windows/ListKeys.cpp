#include "windows/ListKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

#include <utility>

namespace {

class ListKeyFilter : public QObject {
public:
    ListKeyFilter(QWidget* list, std::function<void()> remove, std::function<void()> open)
        : QObject(list), m_remove(std::move(remove)), m_open(std::move(open)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Delete:
            m_remove();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_open();
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    std::function<void()> m_remove;
    std::function<void()> m_open;
};

} // namespace

void HandleListKeys(QWidget* list, std::function<void()> remove, std::function<void()> open) {
    list->installEventFilter(new ListKeyFilter(list, std::move(remove), std::move(open)));
}
