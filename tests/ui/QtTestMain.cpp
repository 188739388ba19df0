// SPDX-License-Identifier: MIT
// GoogleTest main for the window tests: one QApplication with the program's look, offscreen
// unless a platform is given.

#include <QApplication>
#include <gtest/gtest.h>

#include "ui/widgets/AppStyle.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vantrel::ApplyAppStyle(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
