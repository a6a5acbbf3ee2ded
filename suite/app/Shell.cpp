#include "Shell.h"

#include "ComponentCommands.h"
#include "ContainerForm.h"
#include "DemoDatabase.h"
#include "ShellOptions.h"
#include "kt512/shell/IPantalla.h"
#include "platform/ado/SqliteConnection.h"
#include "platform/com/Boundary.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/LateBinding.h"
#include "platform/com/Runtime.h"
#include "platform/com/RuntimeError.h"
#include "platform/com/Variant.h"
#include "platform/forms/ErrorReporter.h"
#include "platform/forms/Messages.h"
#include "suite/business/BusinessServices.h"
#include "suite/controls/ControlKit.h"
#include "suite/host/HostSession.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTextStream>
#include <QWidget>

namespace suite {

namespace {

// The trip control screen's transaction in the logistics module.
const QString kTransaccion = QStringLiteral("LOG0001");

void ensureComponentRegistered(com::Runtime& runtime, QTextStream& out) {
    const QString library = componentLibraryPath();
    const auto entry =
        com::ClassRegistry(runtime.registryFile()).findClass(kt512::Componente::ClasePantalla);
    if (entry && entry->server == library)
        return;
    runtime.registerServer(library);
    out << "Registrado " << QDir::toNativeSeparators(library) << " en "
        << QDir::toNativeSeparators(runtime.registryFile()) << "\n";
}

int showScreen(com::Runtime& runtime, ContainerForm& container, bool fillScreen, QTextStream& out) {
    const auto pantalla =
        runtime.createInstance(QString::fromLatin1(kt512::Componente::ProgIdPantalla))
            .as<com::IDispatch>();
    const auto screen =
        com::objectOf(com::getProperty(pantalla.get(), kt512::IPantalla::DispGetPantalla));
    if (!screen)
        throw com::RuntimeError(QStringLiteral("KT512 no entregó su pantalla."), 429);
    const QString modulo =
        com::getProperty(pantalla.get(), kt512::IPantalla::DispModulo).toString();

    container.advise(QStringLiteral("Unload"), [](QVariantList&) {
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    });
    try {
        container.host(screen.as<com::IDispatch>());
    } catch (const com::RuntimeError& e) {
        if (!container.isVisible())
            throw;
        forms::reportError(e.description(), e.number());
    }
    // A remote screen has no window manager to maximise the window with: the board takes the
    // whole screen itself.
    if (fillScreen)
        if (QWidget* ventana = container.window(); const QScreen* pantalla = ventana->screen())
            ventana->setGeometry(pantalla->availableGeometry());
    out << "Kestrova: " << modulo << ", " << container.Caption() << "\n";
    out.flush();

    const int status = QApplication::exec();
    if (container.isLoaded())
        container.Unload();
    container.releaseScreen();
    return status;
}

} // namespace

int runShell(const ShellOptions& options, QTextStream& out, QTextStream& err) {
    try {
        QString dbFile = options.dbFile;
        if (dbFile.isEmpty() && options.odbc.isEmpty())
            dbFile = ensureDemoDatabase(out);
        const std::shared_ptr<HostSession> session =
            HostSession::open(dbFile, options.odbc, options.usuario);
        if (auto* lite = dynamic_cast<ado::SqliteConnection*>(&session->connection());
            lite && lite->readOnly()) {
            forms::Message aviso;
            aviso.text = QStringLiteral("La base de datos '%1' está en un lugar de solo lectura: "
                                        "puede consultar los viajes, pero no guardar cambios.")
                             .arg(dbFile);
            aviso.style = 48;
            aviso.title = QStringLiteral("Kestrova");
            forms::showMessage(aviso);
        }
        // The container outlives the component: its screens keep counted references to their
        // Padre until the library unloads with the runtime.
        ContainerForm container(kTransaccion);
        com::Runtime runtime;
        registerHostServices(runtime, session);
        registerBusinessServices(runtime, session);
        registerControlKit(runtime, session);
        ensureComponentRegistered(runtime, out);
        return showScreen(runtime, container, options.remoteScreen, out);
    } catch (...) {
        const com::RuntimeError e = com::caughtError();
        err << "kestrova: " << e.description() << "\n";
        err.flush();
        forms::Message message;
        message.text = e.description();
        message.style = 16;
        message.title = QStringLiteral("Kestrova");
        forms::showMessage(message);
        return 1;
    }
}

} // namespace suite
