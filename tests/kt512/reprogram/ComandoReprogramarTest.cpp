// The "Reprogramar" entry of the rescheduling screen's lists, driven as the operator does: a
// right click, the menu, the date dialog, then the lists reloaded.

#include "EntornoReprogramacion.h"

#include "kt512/filters/frmFiltros.h"
#include "kt512/reprogram/frmRecalendarizar.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/IssTbVex.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/LateBinding.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MonthView.h"
#include "suite/db/Schema.h"
#include "tests/support/TraceFile.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace kt512;

namespace {

class ComandoReprogramar : public ktest::EntornoReprogramacion {
protected:
    void SetUp() override {
        EntornoReprogramacion::SetUp();
        for (const char* picker : {"dpFechaInicio", "dpFechaFin"})
            publico()
                .board()
                .control<IdpFecha>(QString::fromLatin1(picker))
                ->setValue(QDateTime(QDate(2026, 12, 4), QTime(0, 0)));
        abrir(QString());
    }

    frmReprogramarViaje& p() { return publico().reprogramarViaje(); }
    frmRecalendarizar& dialogo() { return publico().recalendarizar(); }

    void abrir(const QString& sucursal) {
        p().Cargar(kViaje, sucursal);
        p().Show();
        traza();
    }

    QStringList folios(const char* lista) {
        QStringList r;
        forms::ListView& lv = p().listView(QString::fromLatin1(lista));
        for (int i = 1; i <= lv.Count(); ++i)
            r << lv.itemText(i);
        return r;
    }

    // Right-clicks the first item of the list, picks "Reprogramar" and, when the date dialog
    // shows, runs enDialogo on it. True when the dialog was shown.
    // fila: 0-based row right-clicked; past the last row, the click lands on no item.
    bool reprogramar(const char* lista, const std::function<void()>& enDialogo, int fila = 0) {
        if (QLatin1String(lista) == QLatin1String("lvEmbarques"))
            QTest::keyClick(p().window(), Qt::Key_2, Qt::AltModifier);
        bool visto = false;
        QTimer vigia;
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                menu->setActiveAction(menu->actions().value(0));
                QTest::keyClick(menu, Qt::Key_Return);
            } else if (!visto && dialogo().isVisible()) {
                visto = true;
                enDialogo();
                if (dialogo().isVisible()) {
                    ADD_FAILURE() << "the date dialog stayed open";
                    dialogo().Unload();
                }
            }
        });
        vigia.start(10);
        auto* vista =
            qobject_cast<QAbstractItemView*>(p().ctl(QString::fromLatin1(lista)).widget());
        QPoint punto = vista->visualRect(vista->model()->index(0, 0)).center();
        punto.ry() += fila * vista->visualRect(vista->model()->index(0, 0)).height();
        QTest::mouseClick(vista->window()->windowHandle(), Qt::RightButton, {},
                          vista->viewport()->mapTo(vista->window(), punto));
        QTest::qWait(150);
        return visto;
    }

    void aceptar() {
        dialogo().monthView(QStringLiteral("MvFechaEntrega")).setValue(QDate(2026, 12, 20));
        qobject_cast<QAbstractButton*>(dialogo().ctl(QStringLiteral("cmdAceptar")).widget())
            ->click();
    }

    // The detail lists filled since the last trace read.
    int listasCargadas() { return traza().filter(QStringLiteral("_Folio AS \"Folio\"")).size(); }
};

TEST_F(ComandoReprogramar, AnAcceptedDateReprogramsTheOrderAndReloadsBothLists) {
    ASSERT_EQ(folios("lvOrdenes"), QStringList{kOrden});
    ASSERT_TRUE(reprogramar("lvOrdenes", [&] {
        EXPECT_EQ(dialogo().Folio(), kOrden);
        EXPECT_EQ(dialogo().monthView(QStringLiteral("MvFechaEntrega")).MinDate(),
                  QDate(2026, 12, 4));
        aceptar();
    }));
    EXPECT_TRUE(ids().isEmpty());
    EXPECT_EQ(foliosNuevos("Orden_Entrega", "Oe_Folio").size(), 1);
    // The new order is not on the trip, and the old one is no longer reprogrammable.
    EXPECT_TRUE(folios("lvOrdenes").isEmpty());
    EXPECT_EQ(folios("lvEmbarques"), QStringList{kEmbarque});
    EXPECT_TRUE(p().Aceptado);
    EXPECT_TRUE(dialogo().Aceptado);
    EXPECT_FALSE(dialogo().isLoaded());
    EXPECT_EQ(dialogo().FechaSeleccionada(), QDateTime(QDate(2026, 12, 20), QTime(0, 0)));
}

TEST_F(ComandoReprogramar, ACancelledDialogOrARecordGoneMeanwhileWritesNothing) {
    p().Aceptado = true;
    const auto antes = tablas();
    EXPECT_TRUE(
        reprogramar("lvOrdenes", [&] { QTest::keyClick(dialogo().window(), Qt::Key_Escape); }));
    EXPECT_FALSE(p().Aceptado);
    EXPECT_EQ(listasCargadas(), 0);

    // Cancelled by someone else after the list was read: nothing to move, no dialog, no word.
    db.exec(QStringLiteral("UPDATE Orden_Entrega SET Es_Cve_Estado = 'CA'"));
    p().Aceptado = true;
    EXPECT_FALSE(reprogramar("lvOrdenes", [] {}));
    EXPECT_TRUE(p().Aceptado);
    db.exec(QStringLiteral("UPDATE Orden_Entrega SET Es_Cve_Estado = 'RM' WHERE Oe_ID <> 4"));
    db.exec(QStringLiteral("UPDATE Orden_Entrega SET Es_Cve_Estado = 'RMT' WHERE Oe_ID = 2"));
    db.exec(QStringLiteral("UPDATE Orden_Entrega SET Es_Cve_Estado = 'CA' WHERE Oe_ID = 4"));
    EXPECT_EQ(tablas(), antes);
    EXPECT_TRUE(ids().isEmpty());
}

TEST_F(ComandoReprogramar, NothingSelectedOrADateThatIsNoDateIsToldAndWritesNothing) {
    const auto antes = tablas();
    EXPECT_FALSE(reprogramar(
        "lvOrdenes", [] {}, 5));
    EXPECT_EQ(ids(), QStringList{QStringLiteral("ERR-ID:7500015")});

    db.exec(QStringLiteral("UPDATE Orden_Entrega SET Oe_Fecha_Entrega = '2026-02-30'"));
    EXPECT_FALSE(reprogramar("lvOrdenes", [] {}));
    ASSERT_EQ(mensajes->messages().size(), 1u);
    EXPECT_EQ(std::tuple(mensajes->messages()[0].id, mensajes->messages()[0].style),
              std::tuple(QStringLiteral("ERR-ID:7500015"), 16L));
    mensajes->clear();
    db.exec(QStringLiteral("UPDATE Orden_Entrega SET Oe_Fecha_Entrega = '2026-12-04'"));
    EXPECT_EQ(tablas(), antes);
}

// The row right-clicked is the one offered, the list's last as well as its first.
TEST_F(ComandoReprogramar, TheRowRightClickedIsTheOneOfferedUpToTheLast) {
    const QStringList columnas =
        suite::Schema::table(QStringLiteral("Orden_Entrega")).columnNames();
    QStringList valores = columnas;
    valores[0] = QStringLiteral("'0001O''0002'");
    db.exec(QStringLiteral("INSERT INTO Orden_Entrega (%1) SELECT %2 FROM Orden_Entrega WHERE "
                           "Oe_Folio = '0001O''0001'")
                .arg(columnas.join(QStringLiteral(", ")), valores.join(QStringLiteral(", "))));
    db.exec(QStringLiteral("INSERT INTO Viaje_Documento (Vj_Folio, Vd_Tabla, Vd_Documento) VALUES "
                           "('0001V''0001', 'ORDEN_ENTREGA', '0001O''0002')"));
    abrir(QString());
    const QStringList lista = folios("lvOrdenes");
    ASSERT_EQ(lista.size(), 2);
    for (int fila : {1, 0}) {
        QString ofrecido;
        EXPECT_TRUE(reprogramar(
            "lvOrdenes",
            [&] {
                ofrecido = dialogo().Folio();
                QTest::keyClick(dialogo().window(), Qt::Key_Escape);
            },
            fila));
        EXPECT_EQ(ofrecido, lista[fila]);
    }
    EXPECT_TRUE(ids().isEmpty());
}

TEST_F(ComandoReprogramar, AShipmentFillsAnEmptyBranchAndNeverReplacesOne) {
    ASSERT_TRUE(reprogramar("lvEmbarques", [&] { aceptar(); }));
    EXPECT_EQ(p().sucursal(), kSucursal);
    EXPECT_EQ(foliosNuevos("Embarque", "Eb_Folio").size(), 1);

    db.exec(QStringLiteral("UPDATE Embarque SET Es_Cve_Estado = 'RM'"));
    abrir(QStringLiteral("0009"));
    ASSERT_TRUE(reprogramar("lvEmbarques", [&] { aceptar(); }));
    EXPECT_EQ(p().sucursal(), QStringLiteral("0009"));
    EXPECT_TRUE(ids().isEmpty());
}

// A write refused by the database anywhere in the reprogramming leaves every table as it was,
// tells the operator once, and still reloads both lists.
TEST_F(ComandoReprogramar, AFailureAtAnyWriteLeavesEveryTableAsItWas) {
    sesion->connection().Execute(QStringLiteral("PRAGMA foreign_keys = ON"));
    db.exec(QStringLiteral("CREATE TABLE Ancla (Id INTEGER PRIMARY KEY)"));
    db.exec(QStringLiteral("CREATE TABLE Vigia (Id INTEGER REFERENCES Ancla (Id) DEFERRABLE "
                           "INITIALLY DEFERRED)"));
    struct Caso {
        const char* donde;
        const char* lista;
        const char* disparador;
        const char* id;
        const char* titulo;
    };
    const Caso casos[] = {
        {"folio", "lvOrdenes", "BEFORE INSERT ON Folio", "ERR-ID:7500015", "cmdAceptar()"},
        {"venta", "lvOrdenes", "BEFORE UPDATE ON Venta", "ERR-ID:7500016", "Cancelar_Venta()"},
        {"remision", "lvOrdenes", "BEFORE UPDATE ON Remision", "ERR-ID:7500017",
         "Cancelar_Remision()"},
        {"primera linea", "lvOrdenes", "BEFORE INSERT ON Orden_Entrega WHEN NEW.Oe_ID = 1",
         "ERR-ID:7500015", "cmdAceptar()"},
        {"ultima linea", "lvOrdenes", "BEFORE INSERT ON Orden_Entrega WHEN NEW.Oe_ID = 3",
         "ERR-ID:7500015", "cmdAceptar()"},
        {"vinculos", "lvOrdenes", "BEFORE INSERT ON Entrega_Documento", "ERR-ID:7500015",
         "cmdAceptar()"},
        {"estado", "lvOrdenes", "BEFORE UPDATE ON Orden_Entrega", "ERR-ID:7500015", "cmdAceptar()"},
        {"confirmacion", "lvOrdenes", nullptr, "ERR-ID:7500015", "cmdAceptar()"},
        {"embarque", "lvEmbarques", "BEFORE INSERT ON Embarque", "ERR-ID:7500015", "cmdAceptar()"},
        {"estado del embarque", "lvEmbarques", "BEFORE UPDATE ON Embarque", "ERR-ID:7500015",
         "cmdAceptar()"},
    };
    // The operator waits with the busy pointer, and is told while it still shows.
    std::vector<Qt::CursorShape> punteros;
    mensajes->setOnShow([&](const forms::Message&) {
        punteros.push_back(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                          : Qt::ArrowCursor);
    });
    const auto antes = tablas();
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.donde);
        if (caso.disparador)
            db.exec(QStringLiteral("CREATE TRIGGER falla %1 BEGIN SELECT RAISE(ABORT, 'falla "
                                   "forzada'); END")
                        .arg(QLatin1String(caso.disparador)));
        else
            db.exec(QStringLiteral("CREATE TRIGGER falla AFTER UPDATE ON Orden_Entrega BEGIN "
                                   "INSERT INTO Vigia VALUES (7); END"));
        traza();
        ASSERT_TRUE(reprogramar(caso.lista, [&] { aceptar(); }));
        EXPECT_EQ(tablas(), antes);
        ASSERT_EQ(mensajes->messages().size(), 1u);
        const forms::Message m = mensajes->messages().front();
        EXPECT_EQ(std::tuple(m.id, m.title, m.style),
                  std::tuple(QString::fromLatin1(caso.id), QString::fromLatin1(caso.titulo), 16L));
        EXPECT_TRUE(m.text.contains(caso.disparador ? QStringLiteral("falla forzada")
                                                    : QStringLiteral("FOREIGN KEY")))
            << m.text.toStdString();
        mensajes->clear();
        EXPECT_EQ(listasCargadas(), 2);
        EXPECT_TRUE(p().Aceptado);
        EXPECT_EQ(punteros, std::vector<Qt::CursorShape>{Qt::WaitCursor});
        punteros.clear();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        db.exec(QStringLiteral("DROP TRIGGER falla"));
        QTest::keyClick(p().window(), Qt::Key_1, Qt::AltModifier);
    }
}

// A shape the cache cannot prepare still runs, as text parsed anew each time: only the trace
// tells. Every data-changing statement of a whole session must have come from the cache.
TEST_F(ComandoReprogramar, EveryStatementTheScreensWriteIsServedByTheStatementCache) {
    frmFiltros& filtros = publico().filtros();
    filtros.control<ItxtVEX>(QStringLiteral("txtEstado"))->setText(QStringLiteral("AB"));
    filtros.control<ItxtVEX>(QStringLiteral("txtNEstado"))->setText(QStringLiteral("Abierto"));
    publico().board().Load();
    abrir(QString());
    ASSERT_TRUE(reprogramar("lvOrdenes", [&] { aceptar(); }));
    ASSERT_TRUE(reprogramar("lvEmbarques", [&] { aceptar(); }));
    p().Cargar(kViaje, QString());
    p().ctl(QStringLiteral("Controles"))
        .widget()
        ->findChild<QAbstractButton*>(QStringLiteral("btnB1"))
        ->click();
    EXPECT_TRUE(ids().isEmpty());

    int escrituras = 0;
    int reusadas = 0;
    for (const ktest::TraceLine& linea : ktest::takeTraceLines(db.path() + ".trace")) {
        if (!linea.sql.trimmed().contains(
                QRegularExpression(QStringLiteral("^(INSERT|UPDATE|DELETE)\\b"))))
            continue;
        ++escrituras;
        reusadas += linea.cache == QLatin1String("hit");
        EXPECT_TRUE(linea.cache == QLatin1String("hit") || linea.cache == QLatin1String("prepared"))
            << "cache [" << linea.cache.toStdString() << "] " << linea.why.toStdString() << "\n"
            << linea.sql.toStdString();
    }
    // The order, its three lines, its links, the shipment, the states and the header.
    EXPECT_GE(escrituras, 10);
    EXPECT_GT(reusadas, 0) << "no shape was ever found again in the cache";
}

TEST_F(ComandoReprogramar, TheScreenAnswersItsContractByName) {
    p().Aceptado = true;
    EXPECT_TRUE(com::getProperty(&p(), QStringLiteral("Aceptado")).toBool());
    com::putProperty(&p(), QStringLiteral("aceptado"), false);
    EXPECT_FALSE(p().Aceptado);
    EXPECT_NO_THROW(com::getProperty(&p(), QStringLiteral("Padre")));
}

} // namespace
