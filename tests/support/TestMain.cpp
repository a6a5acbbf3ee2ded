#include "platform/forms/ErrorReporter.h"
#include "platform/forms/Messages.h"
#include "platform/forms/RecordingPresenter.h"

#include <QApplication>
#include <gtest/gtest.h>

// Qt loads its SQL drivers and platform plugin only inside an application object, so every test
// binary runs its tests under one QApplication, offscreen unless told otherwise.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // Nobody would dismiss a message box: messages are recorded. A test that means to see them
    // puts its own recorder in place.
    forms::setMessagePresenter(std::make_shared<forms::RecordingPresenter>());
    // An error escaping an event handler fails the test that let it escape; a test expecting
    // one sets a reporter of its own.
    forms::setErrorReporter([](const QString& description, long number) {
        ADD_FAILURE() << "Unhandled error " << number << ": " << description.toStdString();
    });
    return RUN_ALL_TESTS();
}
