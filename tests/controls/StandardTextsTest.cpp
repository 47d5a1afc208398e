#include "controls/StandardTexts.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

TEST(StandardTexts, QtsOwnMenusFollowTheLanguageAndAnUnknownOneKeepsTheTextsInForce) {
    const QString english = QCoreApplication::translate("QLineEdit", "&Undo");
    ASSERT_TRUE(UseStandardTexts("sk"));
    const QString slovak = QCoreApplication::translate("QLineEdit", "&Undo");
    EXPECT_NE(slovak, english);
    EXPECT_FALSE(UseStandardTexts("xx"));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), slovak);
    // Switching again replaces the translator rather than stacking a second one.
    ASSERT_TRUE(UseStandardTexts("de"));
    EXPECT_NE(QCoreApplication::translate("QLineEdit", "&Undo"), slovak);
}
