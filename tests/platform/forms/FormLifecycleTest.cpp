#include "ScriptedForm.h"

#include "platform/com/FunctionFactory.h"
#include "platform/com/LateBinding.h"
#include "platform/com/Object.h"
#include "platform/com/Runtime.h"
#include "platform/forms/ErrorReporter.h"
#include "platform/forms/MessageBoxPresenter.h"
#include "platform/forms/Messages.h"
#include "platform/forms/RecordingPresenter.h"
#include "tests/support/Checks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// A control of an outside library, as the runtime gets it from the object runtime. It notes
// whether the window still existed when the form let go of it.
class OutsideControl : public com::Object<forms::IControl> {
public:
    static inline QStringList releases;
    static inline QStringList windowsAliveAtRelease;

    OutsideControl() : m_label(new QLabel) {}
    ~OutsideControl() override {
        const QString name = m_label ? m_label->objectName() : QString();
        releases << name;
        if (m_label && m_label->window() != m_label)
            windowsAliveAtRelease << name;
        delete m_label.data();
    }
    QWidget* widget() override { return m_label; }
    void applyDesign(const forms::DesignKeys& keys) override {
        m_label->setText(keys.value("caption").toString());
    }
    void on(const QString&, forms::EventHandler) override {}

private:
    QPointer<QLabel> m_label;
};

const QUuid kOutsideClsid{0x1b9e0c11, 0x52d4, 0x4a07, 0x8f, 0x3e, 0x61,
                          0x0a,       0x22,   0x7c,   0x90, 0x01};

forms::FormDesign sampleDesign(const QString& name = "frmMuestra", int width = 6000,
                               int height = 3000) {
    forms::FormDesign d;
    d.name = name;
    d.caption = "Muestra";
    d.clientWidth = width;
    d.clientHeight = height;
    d.controls << designOf("Outside.Label", "lblFuera", 120, 120, 1500, 300, {{"caption", "Fuera"}})
               << designOf("VB.CommandButton", "cmdAceptar", 120, 600, 1500, 375,
                           {{"caption", "Aceptar"}});
    return d;
}

class FormLifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        m_runtime.registerClassObject(
            kOutsideClsid, "Outside.Label",
            com::newObject<com::FunctionFactory>([] { return com::newObject<OutsideControl>(); }));
        OutsideControl::releases.clear();
        OutsideControl::windowsAliveAtRelease.clear();
    }

    QTemporaryDir m_dir;
    com::Runtime m_runtime{m_dir.filePath("registry.json")};
};

TEST_F(FormLifecycle, TouchingAControlLoadsTheFormAndUnloadReleasesItsControlsBeforeItsWindow) {
    ScriptedForm form(sampleDesign());
    bool controlReachableInLoad = false;
    form.onLoad = [&] { controlReachableInLoad = form.ctl("cmdAceptar").widget(); };
    int subscribersSawUnload = 0;
    form.advise("Unload", [&](QVariantList&) { ++subscribersSawUnload; });
    EXPECT_FALSE(form.isLoaded());

    forms::Extender button = form.ctl("cmdAceptar");
    EXPECT_TRUE(controlReachableInLoad);
    const QPointer<QWidget> window = form.window();
    EXPECT_EQ(window->windowTitle(), "Muestra");
    auto* outside = window->findChild<QLabel*>("lblFuera");
    ASSERT_NE(outside, nullptr);
    EXPECT_EQ(outside->text(), "Fuera");
    const qintptr handle = form.hWnd();
    EXPECT_EQ(forms::Form::windowFromHandle(handle), window.data());
    EXPECT_EQ(form.log, (QStringList{"connectEvents", "Load"}));

    form.Unload();
    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(subscribersSawUnload, 1);
    EXPECT_EQ(forms::Form::windowFromHandle(handle), nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(OutsideControl::releases, QStringList{"lblFuera"});
    EXPECT_EQ(OutsideControl::windowsAliveAtRelease, QStringList{"lblFuera"});

    form.ctl("lblFuera");
    EXPECT_EQ(form.log.count("Load"), 2);
    EXPECT_NE(form.hWnd(), handle);
}

TEST_F(FormLifecycle, LoadFailuresAndUnknownNamesAreReportedToTheCaller) {
    ScriptedForm failing(sampleDesign());
    failing.onLoad = [] { throw com::RuntimeError("sin conexión", 3704); };
    // The load handler's error reaches the statement that loaded the form, which stays loaded.
    EXPECT_EQ(ktest::errorOf([&] { failing.ctl("cmdAceptar"); }).number(), 3704);
    EXPECT_TRUE(failing.isLoaded());
    EXPECT_EQ(ktest::errorOf([&] { failing.ctl("cmdNoExiste"); }).number(), 730);
    EXPECT_EQ(failing.log.count("Load"), 1);
    const auto button = failing.controlObject("cmdAceptar");
    EXPECT_EQ(ktest::errorOf([&] { button->on("Clik", [](QVariantList&) {}); }).number(), 459);
    EXPECT_NO_THROW(button->on("click", [](QVariantList&) {}));
    EXPECT_EQ(ktest::errorOf([&] { failing.advise("Activar", [](QVariantList&) {}); }).number(),
              459);

    // A control of a class nobody knows: the form does not load and lets go of what it made.
    forms::FormDesign broken = sampleDesign();
    broken.controls << designOf("Nadie.Conoce", "x");
    ScriptedForm unloadable(broken);
    EXPECT_THROW(unloadable.Load(), com::RuntimeError);
    EXPECT_FALSE(unloadable.isLoaded());
    QCoreApplication::processEvents();
    EXPECT_EQ(OutsideControl::releases.size(), 1);
}

TEST_F(FormLifecycle, AMisspeltDesignKeyIsLoggedWithItsFormAndControl) {
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtWarningMsg && text.contains(QLatin1String("design key")))
                warnings << text;
        });
    forms::FormDesign design = sampleDesign();
    design.controls[1].keys.insert("captoin", "Aceptar");
    ScriptedForm(design).Load();
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings, QStringList{QStringLiteral(
                            "Form frmMuestra, control cmdAceptar: unknown design key 'captoin'")});
}

TEST_F(FormLifecycle, ModalShowReturnsWhenTheFormIsHiddenUnloadedOrDestroyed) {
    ScriptedForm form(sampleDesign());
    bool modalWhileShown = false;
    QTimer::singleShot(0, [&] {
        modalWhileShown = form.window()->isModal() && form.isVisible();
        form.Hide();
    });
    form.Show(forms::ShowMode::Modal);
    EXPECT_TRUE(modalWhileShown);
    EXPECT_TRUE(form.isLoaded());
    EXPECT_FALSE(form.window()->isModal());

    QTimer::singleShot(0, [&] { form.Unload(); });
    form.Show(forms::ShowMode::Modal);
    EXPECT_FALSE(form.isLoaded());

    // The form is not touched after its own modal show destroyed it.
    auto destroyed = std::make_unique<ScriptedForm>(sampleDesign());
    QTimer::singleShot(0, [&] { destroyed.reset(); });
    destroyed->Show(forms::ShowMode::Modal);
    EXPECT_EQ(destroyed, nullptr);
}

TEST_F(FormLifecycle, AFormWhoseWindowAHostDeletedForgetsItAndLoadsAnew) {
    ScriptedForm form(sampleDesign());
    auto host = std::make_unique<QWidget>();
    form.window()->setParent(host.get(), Qt::Widget);
    const qintptr handle = form.hWnd();
    form.Show();
    host.reset();

    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(forms::Form::windowFromHandle(handle), nullptr);
    form.Unload();
    EXPECT_EQ(form.log.count("Unload"), 0);

    form.Show();
    EXPECT_TRUE(form.isVisible());
    EXPECT_NE(form.hWnd(), handle);
    EXPECT_EQ(form.log.count("Load"), 2);
    form.Unload();
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(OutsideControl::releases.size(), 2);
}

TEST_F(FormLifecycle, UnloadOrClosingTheWindowUnloadsTheFormUnlessItsHandlerRefuses) {
    ScriptedForm form(sampleDesign());
    form.Show();
    bool refuse = true;
    form.onUnload = [&](int& cancel) { cancel = refuse ? 1 : 0; };
    EXPECT_FALSE(form.window()->close());
    EXPECT_TRUE(form.isVisible());
    form.Unload();
    EXPECT_TRUE(form.isVisible());
    refuse = false;
    EXPECT_TRUE(form.window()->close());
    EXPECT_FALSE(form.isLoaded());
}

// A screen that reports a missing record while it loads, still hidden, and is then shown modally
// once the message took the activation away: the message and the screen both open over the window
// the user called them from, as dialogs, and the activation returns to that window once.
TEST_F(FormLifecycle, AMessageAndADialogOpenOverTheirCallerWhichIsActivatedAgainAfterwards) {
    ScriptedForm board(sampleDesign());
    ScriptedForm screen(sampleDesign("frmPantalla", 3000, 1500));
    int boardActivations = 0;
    board.advise("Activate", [&](QVariantList&) { ++boardActivations; });
    board.Show();
    board.window()->setGeometry(350, 220, 400, 300);
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == board.window(); }));
    const QPoint callerCentre = board.window()->frameGeometry().center();
    QStringList dialogsSeen;
    const auto expectDialogOverCaller = [&](QWidget* w) {
        dialogsSeen << w->objectName();
        SCOPED_TRACE(w->objectName().toStdString());
        const QPoint centre = w->frameGeometry().center();
        EXPECT_LE((centre - callerCentre).manhattanLength(), 8) << centre.x() << "," << centre.y();
        EXPECT_EQ(w->windowType(), Qt::Dialog);
        EXPECT_FALSE(w->windowFlags() &
                     (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    };

    const auto previous =
        forms::setMessagePresenter(std::make_shared<forms::MessageBoxPresenter>());
    QTimer::singleShot(0, [&] {
        if (waitUntil(
                [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); })) {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            expectDialogOverCaller(box);
            EXPECT_EQ(box->parentWidget(), board.window());
            box->accept();
        }
    });
    forms::Message missing;
    missing.text = "No existen datos en el viaje";
    missing.style = 48;
    missing.hWnd = screen.hWnd();
    forms::showMessage(missing);
    forms::setMessagePresenter(previous);
    // Without a window manager nothing gives the activation back once the box is gone.
    QApplication::setActiveWindow(nullptr);
    const qsizetype activations = board.log.count("Activate");

    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(waitUntil([&] { return screen.log.count("Activate") == 1; }));
        expectDialogOverCaller(screen.window());
        screen.Hide();
    });
    screen.Show(forms::ShowMode::Modal);
    EXPECT_EQ(dialogsSeen, (QStringList{"mensajeKestrova", "frmPantalla"}));
    EXPECT_TRUE(waitUntil([&] { return board.log.count("Activate") == activations + 1; }));
    // Nothing else activates it again: no form took over in between.
    QCoreApplication::processEvents();
    EXPECT_EQ(board.log.count("Activate"), activations + 1);
    EXPECT_EQ(boardActivations, activations + 1);
}

// Whatever escapes a handler goes to the reporter: the test's here, the one every test binary
// starts with (which fails the test), and the default one, which shows it through the presenter.
TEST_F(FormLifecycle, ErrorsOfAnyKindEscapingEventHandlersGoToTheReporter) {
    ScriptedForm form(sampleDesign());
    int kind = 0;
    form.controlObject("cmdAceptar")->on("Click", [&](QVariantList&) {
        if (kind == 0)
            throw com::RuntimeError("Fallo al guardar", 3704);
        if (kind == 1)
            throw std::runtime_error("disco lleno");
        throw 42;
    });
    form.Show();
    auto* button = qobject_cast<QAbstractButton*>(form.ctl("cmdAceptar").widget());
    ASSERT_NE(button, nullptr);
    QStringList reported;
    const auto previousReporter = forms::setErrorReporter([&](const QString& text, long number) {
        reported << QStringLiteral("%1 %2").arg(number).arg(text);
    });
    for (kind = 0; kind < 3; ++kind)
        button->click();
    EXPECT_EQ(reported,
              (QStringList{"3704 Fallo al guardar", "5 disco lleno", "51 Internal error"}));
    EXPECT_TRUE(form.isVisible());

    kind = 0;
    forms::setErrorReporter(previousReporter);
    EXPECT_NONFATAL_FAILURE(button->click(), "Fallo al guardar");

    auto recorder = std::make_shared<forms::RecordingPresenter>();
    const auto previousPresenter = forms::setMessagePresenter(recorder);
    forms::setErrorReporter({});
    button->click();
    forms::setErrorReporter(previousReporter);
    forms::setMessagePresenter(previousPresenter);
    ASSERT_EQ(recorder->messages().size(), 1u);
    EXPECT_EQ(recorder->messages()[0].text, "Fallo al guardar");
    EXPECT_EQ(recorder->messages()[0].style, 16);
}

TEST_F(FormLifecycle, LateBoundMembersAreTheFormsOwnAndItsBuiltInOnes) {
    ScriptedForm form(sampleDesign());
    form.onMember = [](const QString& name, com::InvokeKind, QVariantList&) {
        return QVariant(name == QLatin1String("Transaccion") ? "LOG0001" : "?");
    };
    form.members << "Transaccion";
    EXPECT_EQ(com::getProperty(&form, "Transaccion").toString(), "LOG0001");
    EXPECT_EQ(form.idOfName("TRANSACCION"), form.idOfName("Transaccion"));
    EXPECT_EQ(ktest::errorOf([&] { form.idOfName("Transacion"); }).number(), 438);
    EXPECT_FALSE(form.isLoaded());

    com::putProperty(&form, "Caption", "Otra");
    EXPECT_EQ(form.window()->windowTitle(), "Otra");
    EXPECT_EQ(com::getProperty(&form, "hWnd").toLongLong(), form.hWnd());
    EXPECT_THROW(com::getProperty(&form, 424242), com::RuntimeError);
}

} // namespace
