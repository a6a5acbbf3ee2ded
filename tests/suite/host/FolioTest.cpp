#include "SesionDePrueba.h"
#include "platform/ado/Connection.h"
#include "platform/com/RuntimeError.h"

#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

namespace {

class FolioTest : public SesionDePrueba {
protected:
    QString folio(const QString& sucursal, long longitud = 10) {
        return funciones->SiguienteFolio(sucursal, QStringLiteral("EMBARQUE"), longitud, -1)
            .toString();
    }
    void embarque(const QString& folio) {
        db.exec(QStringLiteral("INSERT INTO Embarque (Eb_Folio, Sc_Cve_Sucursal) VALUES ('%1', "
                               "'%2')")
                    .arg(folio, folio.left(4)));
    }

    ado::Connection& connection = session->connection();
};

TEST_F(FolioTest, EachBranchCountsBehindItsOwnCode) {
    EXPECT_EQ(folio(QStringLiteral("0001")), QStringLiteral("0001000001"));
    EXPECT_EQ(folio(QStringLiteral("0001")), QStringLiteral("0001000002"));
    EXPECT_EQ(folio(QStringLiteral("02"), 6), QStringLiteral("020001"));
    EXPECT_FALSE(connection.inTransaction());
    EXPECT_EQ(db.rows(QStringLiteral("SELECT Fo_Tabla, Fo_Ultimo, Oper_Alta FROM Folio WHERE "
                                     "Sc_Cve_Sucursal = '0001'")),
              (QList<QStringList>{{"EMBARQUE", "2", "MGARCIA"}}));

    EXPECT_THROW(folio(QStringLiteral("0001000000")), com::RuntimeError);
    EXPECT_FALSE(connection.inTransaction());
}

TEST_F(FolioTest, FoliosAlreadyInTheTableAreNeverGiven) {
    embarque(QStringLiteral("0003000041"));
    embarque(QStringLiteral("0003000007"));
    embarque(QStringLiteral("0004000999"));
    EXPECT_EQ(folio(QStringLiteral("0003")), QStringLiteral("0003000042"));
    embarque(QStringLiteral("0003000043"));
    EXPECT_EQ(folio(QStringLiteral("0003")), QStringLiteral("0003000044"));
}

TEST_F(FolioTest, ABranchIsMatchedAsWrittenAndABlankOrMalformedOneIsRefused) {
    embarque(QStringLiteral("0003000041"));
    embarque(QStringLiteral("%_03000007"));
    EXPECT_EQ(folio(QStringLiteral("%")), QStringLiteral("%000000001"));
    EXPECT_EQ(folio(QStringLiteral("%_03")), QStringLiteral("%_03000008"));
    EXPECT_EQ(folio(QStringLiteral("_")), QStringLiteral("_000000001"));
    const QList<QStringList> antes = db.rows(QStringLiteral("SELECT * FROM Folio ORDER BY 1, 2"));
    for (const char* mala : {"", "   ", "00 1", "00\t1"}) {
        try {
            folio(QString::fromLatin1(mala));
            ADD_FAILURE() << "accepted [" << mala << "]";
        } catch (const com::RuntimeError& e) {
            EXPECT_TRUE(e.description().contains(QStringLiteral("no es válida"))) << e.what();
        }
    }
    EXPECT_FALSE(connection.inTransaction());
    EXPECT_EQ(db.rows(QStringLiteral("SELECT * FROM Folio ORDER BY 1, 2")), antes);
}

TEST_F(FolioTest, TakenInTheCallersTransactionAndGivenBackByItsRollback) {
    connection.BeginTrans();
    const QString first = folio(QStringLiteral("0001"));
    EXPECT_TRUE(connection.inTransaction());
    connection.RollbackTrans();
    EXPECT_EQ(folio(QStringLiteral("0001")), first);
}

// Eight operators saving at once are the normal load of one file: none waits long enough to be
// told to try again.
TEST_F(FolioTest, EightProcessesSharingTheFileNeverGetTheSameFolioNorAnError) {
    constexpr int kEach = 40;
    constexpr int kWorkers = 7;
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int i = 0; i < kWorkers; ++i) {
        workers.push_back(std::make_unique<QProcess>());
        workers.back()->start(QStringLiteral(KT_FOLIO_WORKER),
                              {db.path(), QStringLiteral("0001"), QString::number(kEach)});
    }
    QStringList folios;
    for (int i = 0; i < kEach; ++i) {
        connection.BeginTrans();
        folios << folio(QStringLiteral("0001"));
        connection.Execute(QStringLiteral("INSERT INTO Embarque (Eb_Folio, Sc_Cve_Sucursal) "
                                          "VALUES ('%1', '0001')")
                               .arg(folios.back()));
        connection.CommitTrans();
    }
    for (auto& worker : workers) {
        ASSERT_TRUE(worker->waitForFinished(120000));
        ASSERT_EQ(worker->exitCode(), 0) << worker->readAllStandardError().constData();
        folios
            << QString::fromLatin1(worker->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    ASSERT_EQ(folios.size(), (kWorkers + 1) * kEach);
    EXPECT_EQ(QSet<QString>(folios.begin(), folios.end()).size(), (kWorkers + 1) * kEach);
}

} // namespace
