#include "platform/forms/ErrorReporter.h"
#include "platform/forms/Messages.h"
#include "platform/forms/RecordingPresenter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Windows remember their place in the user's configuration folder: here it is a folder of the
// test binary's own, emptied before every test, so that no test writes the real user's settings
// nor meets a place another test left.
class FreshConfiguration : public ::testing::EmptyTestEventListener {
public:
    explicit FreshConfiguration(QString path) : m_path(std::move(path)) {}
    void OnTestStart(const ::testing::TestInfo&) override {
        QDir dir(m_path);
        if (!dir.removeRecursively() || !dir.mkpath(QStringLiteral(".")))
            ADD_FAILURE() << "cannot empty " << m_path.toStdString();
    }

private:
    QString m_path;
};

} // namespace

// Qt loads its SQL drivers and platform plugin only inside an application object, so every test
// binary runs its tests under one QApplication, offscreen unless told otherwise.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir configuration;
    if (!configuration.isValid())
        return 2;
    const QString configPath = configuration.filePath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configPath));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshConfiguration(configPath));
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
