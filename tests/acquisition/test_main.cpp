// Text drawing on a QImage needs the application object of Qt Gui. The tests
// run headless; the offscreen platform is also chosen here so that listing
// the tests works without a display.
#include <QGuiApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
