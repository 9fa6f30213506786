// SPDX-License-Identifier: GPL-3.0-or-later
// The widgets need a QApplication alive around every test.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Off screen unless told otherwise: the tests grab pixels, which must not depend on the
    // desktop they happen to run on, and test discovery at build time has no display at all.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("0.1.0"));
    return RUN_ALL_TESTS();
}
