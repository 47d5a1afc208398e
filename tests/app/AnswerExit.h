#pragma once

#include "windows/ExitConfirmDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// Once the exit question is up: ticks its box when asked, then presses the named button (or
// Enter when none is named).
inline void AnswerExit(bool tick, const char* button) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<ExitConfirmDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (tick)
            dialog->findChild<QCheckBox*>("dontAskAgainCheckBox")->setChecked(true);
        if (button)
            QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        else
            QTest::keyClick(dialog, Qt::Key_Return);
    });
}
