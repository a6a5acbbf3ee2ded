// A second operator's process: reprograms orders or shipments on a database and prints "ok" for
// each, or why it did not. Arguments: database file or ODBC connection string, folio, list name,
// new date (yyyy-MM-dd), then any further folios of the same list.

#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/shell/Publico.h"
#include "platform/ado/Providers.h"
#include "platform/com/Runtime.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/RecordingPresenter.h"
#include "suite/business/BusinessServices.h"
#include "suite/controls/ControlKit.h"
#include "suite/host/HostSession.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    try {
        QTemporaryDir dir;
        com::Runtime runtime(dir.filePath("registry.json"));
        auto mensajes = std::make_shared<forms::RecordingPresenter>();
        auto session = std::make_shared<suite::HostSession>(ktest::TestDatabase::connect(args[1]),
                                                            "OTRO", mensajes);
        suite::registerHostServices(runtime, session);
        suite::registerControlKit(runtime, session);
        suite::registerBusinessServices(runtime, session);
        std::unique_ptr<kt512::Publico> publico = kt512::Publico::Iniciar();
        const QDateTime fecha(QDate::fromString(args[4], Qt::ISODate), QTime(0, 0));
        for (int i = 2; i < args.size(); i = i == 2 ? 5 : i + 1) {
            kt512::frmReprogramarViaje& pantalla = publico->reprogramarViaje();
            out << (pantalla.ReprogramarDocumento(args[i], args[3], fecha)
                        ? QStringLiteral("ok")
                        : pantalla.mensajeError())
                << Qt::endl;
        }
        for (const forms::Message& m : mensajes->messages())
            out << m.id << ' ' << m.text << '\n';
    } catch (const com::RuntimeError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
