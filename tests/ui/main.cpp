// The widgets need a QApplication alive around every test.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("0.1.0"));
    return RUN_ALL_TESTS();
}
