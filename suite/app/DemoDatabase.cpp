#include "DemoDatabase.h"

#include "platform/com/RuntimeError.h"
#include "suite/db/Commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace suite {

namespace {

constexpr int kDemoTrips = 2000;

} // namespace

QString demoDatabasePath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/kestrova-demo.sqlite");
}

QString ensureDemoDatabase(QTextStream& out) {
    const QString path = demoDatabasePath();
    if (QFileInfo::exists(path))
        return path;
    const auto fail = [&path](const QString& why) {
        throw com::RuntimeError(QStringLiteral("No se pudo crear la base de demostración «%1»: %2")
                                    .arg(QDir::toNativeSeparators(path), why),
                                75);
    };
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        fail(QStringLiteral("no se puede crear su carpeta"));
    // Made under another name and renamed when complete: an interrupted first start leaves no
    // half-filled database behind to be opened next time.
    const QString partial = path + QStringLiteral(".part");
    QString made;
    QString problem;
    QTextStream madeStream(&made);
    QTextStream problemStream(&problem);
    const int status = runDemoDbCommand({partial, QStringLiteral("--trips"),
                                         QString::number(kDemoTrips), QStringLiteral("--force")},
                                        madeStream, problemStream);
    madeStream.flush();
    problemStream.flush();
    if (status != 0) {
        QFile::remove(partial);
        fail(problem.trimmed());
    }
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        fail(QStringLiteral("no se puede renombrar «%1»").arg(QDir::toNativeSeparators(partial)));
    }
    out << made.trimmed().replace(partial, path) << "\n";
    return path;
}

} // namespace suite
