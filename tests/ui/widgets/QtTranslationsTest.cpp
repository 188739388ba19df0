// SPDX-License-Identifier: MIT
#include "ui/widgets/QtTranslations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QRegularExpression>

namespace vantrel {
namespace {

// The texts a user meets in the open dialog, an edit field's menu and the colour dialog.
TEST(QtTranslationsTest, QtsOwnTextsAreRussian) {
    ASSERT_TRUE(InstallQtTranslations(*QCoreApplication::instance()));
    const struct {
        const char* Context;
        const char* English;
    } texts[] = {
        {"QFileDialog", "Look in:"}, {"QFileDialog", "File &name:"},
        {"QFileDialog", "&Open"},    {"QPlatformTheme", "Cancel"},
        {"QLineEdit", "&Copy"},      {"QColorDialog", "&Basic colors"},
    };
    for (const auto& t : texts) {
        const QString shown = QCoreApplication::translate(t.Context, t.English);
        EXPECT_NE(shown, QString::fromLatin1(t.English)) << t.Context << " " << t.English;
        EXPECT_TRUE(shown.contains(QRegularExpression(QStringLiteral("[а-яА-Я]"))))
            << shown.toStdString();
    }
}

} // namespace
} // namespace vantrel
