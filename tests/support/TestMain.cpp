#include <QApplication>
#include <gtest/gtest.h>

// Qt loads its SQL drivers and platform plugin only inside an application object, so every test
// binary runs its tests under one QApplication, offscreen unless told otherwise.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
