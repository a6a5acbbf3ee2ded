// A second operator's process: takes folios, each in a transaction that also writes a shipment
// under it, and prints them one a line. Arguments: database file or ODBC connection string,
// branch, number of folios.

#include "platform/ado/Connection.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/RecordingPresenter.h"
#include "suite/host/Funciones.h"
#include "suite/host/HostSession.h"
#include "tests/support/TestDatabase.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        auto session =
            std::make_shared<suite::HostSession>(ktest::TestDatabase::connect(args[1]), "OTRO",
                                                 std::make_shared<forms::RecordingPresenter>());
        auto funciones = com::newObject<suite::Funciones>(session);
        ado::Connection& connection = session->connection();
        QTextStream out(stdout);
        for (int i = 0; i < args[3].toInt(); ++i) {
            connection.BeginTrans();
            const QString folio = funciones->SiguienteFolio(args[2], "EMBARQUE", 10, -1).toString();
            connection.Execute(
                QStringLiteral(
                    "INSERT INTO Embarque (Eb_Folio, Sc_Cve_Sucursal) VALUES ('%1', '%2')")
                    .arg(folio, args[2]));
            connection.CommitTrans();
            out << folio << '\n';
        }
    } catch (const com::RuntimeError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
