#include "SesionDePrueba.h"
#include "platform/ado/Connection.h"
#include "platform/com/RuntimeError.h"

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

// Folios already in the table are never given; a branch is matched as written, never as a
// pattern, and a blank or malformed one is refused.
TEST_F(FolioTest, FoliosInTheTableAreSkippedAndABranchIsMatchedAsWritten) {
    for (const char* folio : {"0003000041", "0003000007", "0004000999", "%_03000007"})
        embarque(QString::fromLatin1(folio));
    EXPECT_EQ(folio(QStringLiteral("0003")), QStringLiteral("0003000042"));
    embarque(QStringLiteral("0003000043"));
    EXPECT_EQ(folio(QStringLiteral("0003")), QStringLiteral("0003000044"));
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
    // A folio that fails inside it leaves the transaction for the caller to end.
    EXPECT_THROW(folio(QStringLiteral("00 1")), com::RuntimeError);
    ASSERT_TRUE(connection.inTransaction());
    connection.RollbackTrans();
    EXPECT_EQ(folio(QStringLiteral("0001")), first);
}

} // namespace
