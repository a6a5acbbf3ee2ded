#include "DemoHost.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Providers.h"
#include "platform/com/Runtime.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/RecordingPresenter.h"
#include "suite/controls/ControlKit.h"
#include "suite/db/Commands.h"
#include "suite/db/DemoData.h"
#include "suite/db/Schema.h"
#include "suite/host/HostSession.h"

#include <QTemporaryDir>
#include <QTextStream>

namespace suite::bench {

struct DemoHost::Private {
    // Declared first: the session and the runtime go before their folder.
    QTemporaryDir dir;
    std::unique_ptr<com::Runtime> runtime;
    std::shared_ptr<HostSession> session;
};

DemoHost::DemoHost(const Options& options) : d(std::make_unique<Private>()) {
    if (!d->dir.isValid())
        throw com::RuntimeError(
            QStringLiteral("no temporary folder: %1").arg(d->dir.errorString()));
    const QString server = qEnvironmentVariable("KESTROVA_BENCH_CONNECT");
    if (!server.isEmpty()) {
        QStringList args{QStringLiteral("--connect"), server, QStringLiteral("--force"),
                         QStringLiteral("--trips"), QString::number(options.trips)};
        if (options.today.isValid())
            args << QStringLiteral("--today") << options.today.toString(Qt::ISODate);
        QString said;
        QTextStream out(&said), err(&said);
        if (runDemoDbCommand(args, out, err) != 0)
            throw com::RuntimeError(said);
        if (options.prepare)
            options.prepare(*ado::openOdbc(server));
        d->session = std::make_shared<HostSession>(ado::openOdbc(server), QStringLiteral("BENCH"),
                                                   std::make_shared<forms::RecordingPresenter>());
        return;
    }
    const QString path = d->dir.filePath(QStringLiteral("bench.db"));
    {
        std::unique_ptr<ado::Connection> build = ado::openSqlite(path, true);
        Schema::create(*build);
        DemoData::generate(*build, {options.trips, 1, options.today});
        if (options.prepare)
            options.prepare(*build);
    }
    d->session = std::make_shared<HostSession>(ado::openSqlite(path), QStringLiteral("BENCH"),
                                               std::make_shared<forms::RecordingPresenter>());
}

DemoHost::~DemoHost() = default;

int DemoHost::tripsFromEnvironment(int fallback) {
    return qEnvironmentVariableIsSet("KESTROVA_BENCH_TRIPS")
               ? qEnvironmentVariableIntValue("KESTROVA_BENCH_TRIPS")
               : fallback;
}

void DemoHost::startRuntime() {
    if (d->runtime)
        throw com::RuntimeError(QStringLiteral("the runtime has already started"));
    d->runtime = std::make_unique<com::Runtime>(d->dir.filePath(QStringLiteral("registry.json")));
    registerHostServices(*d->runtime, d->session);
    registerControlKit(*d->runtime, d->session);
}

const std::shared_ptr<HostSession>& DemoHost::session() const {
    return d->session;
}

ado::Connection& DemoHost::connection() const {
    return d->session->connection();
}

} // namespace suite::bench
