#pragma once

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <initializer_list>

// Acts on the modal dialogs of the program as they come up, each step on the next new one.
class ModalScript : public QObject {
public:
    using Step = std::function<void(QWidget*)>;

    explicit ModalScript(std::initializer_list<Step> steps) : m_steps(steps) {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || dialog == m_last || m_steps.empty())
                return;
            m_last = dialog;
            const Step step = m_steps.front();
            m_steps.pop_front();
            step(dialog);
        });
        m_timer.start(10);
    }
    bool Done() const { return m_steps.empty(); }

private:
    std::deque<Step> m_steps;
    QPointer<QWidget> m_last;
    QTimer m_timer;
};
