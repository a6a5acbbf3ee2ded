// The host services the screens call over a session on a fresh database: Funciones and Sistema,
// the form helpers, and the lists filled from a query and formatted for the operator.

#include "kt512/services/ClassIds.h"
#include "kt512/services/ISistema.h"
#include "platform/ado/Connection.h"
#include "platform/ado/DateValue.h"
#include "platform/com/Runtime.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormDesign.h"
#include "platform/forms/ListView.h"
#include "platform/forms/RecordingPresenter.h"
#include "suite/host/FormatoLista.h"
#include "suite/host/Funciones.h"
#include "suite/host/HostSession.h"
#include "tests/support/Checks.h"
#include "tests/support/PrintQString.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// A fresh test database and Funciones over a session of its own on it.
class SesionDePrueba : public ::testing::Test {
protected:
    explicit SesionDePrueba(const ktest::TestDatabase::Demo& demo = {}) : db(demo) {}

    ktest::TestDatabase db;
    std::shared_ptr<forms::RecordingPresenter> mensajes =
        std::make_shared<forms::RecordingPresenter>();
    std::shared_ptr<suite::HostSession> session =
        std::make_shared<suite::HostSession>(db.open(), "MGARCIA", mensajes);
    com::Ptr<kt512::IFunciones> funciones = com::newObject<suite::Funciones>(session);
};

// Only its dialect is asked for: the date texts of a SQL Server connection.
struct SqlServerDialect : ado::Connection {
    std::unique_ptr<ado::Recordset> Execute(const QString&, long*) override { return {}; }
    void BeginTrans() override {}
    void CommitTrans() override {}
    void RollbackTrans() override {}
    bool inTransaction() const override { return false; }
    Dialect dialect() const override { return Dialect::SqlServer; }
};

class FuncionesTest : public SesionDePrueba {
protected:
    QString chofer(const QString& llave, const QString& excluido = "CA",
                   const QString& tabla = "Chofer", const QString& campo = "Ch_Descripcion") {
        return funciones->ObtenerCampo(tabla, "Ch_Cve_Chofer", llave, campo, 0, {}, {}, excluido);
    }
    QString folio(const QString& sucursal, long longitud = 10) {
        return funciones->SiguienteFolio(sucursal, "EMBARQUE", longitud, -1).toString();
    }
    QList<QStringList> folios() { return db.rows("SELECT * FROM Folio ORDER BY 1, 2"); }

    ado::Connection& connection = session->connection();
};

// A stored query missing is named in the error; a lookup with no state excluded finds a row in
// any state, and takes the key as a value and the names only as identifiers.
TEST_F(FuncionesTest, AMissingQueryIsNamedAndLookupsTakeTheKeyAsAValue) {
    const com::RuntimeError e = ktest::errorOf([&] { funciones->ObtenerConsulta("Viajes'Otras"); });
    EXPECT_EQ(e.description(), "No existe la consulta Viajes'Otras");

    db.exec("INSERT INTO Chofer (Ch_Cve_Chofer, Ch_Descripcion, Es_Cve_Estado) VALUES "
            "('0901', 'Patricio O''Brien', 'AC'), ('0902', 'Jacinto Baja', 'CA')");
    EXPECT_EQ(chofer("0901"), "Patricio O'Brien");
    EXPECT_EQ(chofer("0902", ""), "Jacinto Baja");
    EXPECT_EQ(chofer("' OR '1'='1"), "");
    // Names come from code: anything but an identifier never reaches the statement.
    EXPECT_THROW(chofer("0901", "", "Chofer; DELETE FROM Viaje"), com::RuntimeError);
    EXPECT_THROW(chofer("0901", "", "Chofer", "Ch_Descripcion FROM Chofer --"), com::RuntimeError);

    // A screen under a parent takes the parent's transaction code; on its own, its own code.
    EXPECT_EQ(QStringList({funciones->ObtenerTransaccion(" LOG01 ", "Kestrova"),
                           funciones->ObtenerTransaccion("  ", "Kestrova")}),
              QStringList({"LOG01", "KT512"}));
}

// Dates and moments are written as the dialect's literals (the file's and SQL Server's), and the
// server's time, written as a date and as a moment, is read back unchanged.
TEST_F(FuncionesTest, DateTextsAreTheDialectsLiteralsAndGoThroughTheDatabaseUnchanged) {
    const auto sqlServer = com::newObject<suite::Funciones>(
        std::make_shared<suite::HostSession>(std::make_unique<SqlServerDialect>(), "MGARCIA"));
    const QDateTime t(QDate(2026, 2, 1), QTime(9, 5, 7));
    EXPECT_EQ(
        QStringList({funciones->FormatoFecha(t), funciones->FormatoFechaHora(t),
                     sqlServer->FormatoFecha(t), sqlServer->FormatoFechaHora(t)}),
        QStringList({"2026-02-01", "2026-02-01 09:05:07", "20260201", "2026-02-01T09:05:07"}));
    EXPECT_THROW(funciones->FormatoFecha(QDateTime()), com::RuntimeError);

    // Whole seconds: a moment with milliseconds would not come back equal.
    const QDateTime ahora = funciones->FechaServidor();
    db.exec(QStringLiteral("INSERT INTO Viaje (Vj_Folio, Vj_Fecha, Es_Cve_Estado, Sc_Cve_Sucursal, "
                           "Vj_Fecha_Inicio_Viaje) VALUES ('0001000001', '%1', 'AB', '0001', '%2')")
                .arg(funciones->FormatoFecha(ahora), funciones->FormatoFechaHora(ahora)));
    const QStringList guardado =
        db.rows("SELECT Vj_Fecha, Vj_Fecha_Inicio_Viaje FROM Viaje").value(0);
    EXPECT_EQ(ado::toDateTime(guardado.value(0)), QDateTime(ahora.date(), QTime(0, 0)));
    EXPECT_EQ(ado::toDateTime(guardado.value(1)), ahora);
}

// Each branch counts behind its own code, in a transaction of its own when the caller has none;
// in the caller's, a folio is given back by its rollback, and one that fails leaves the
// transaction for the caller to end.
TEST_F(FuncionesTest, EachBranchCountsItsOwnFoliosAndSkipsThoseInUse) {
    EXPECT_EQ(folio("0001"), "0001000001");
    EXPECT_EQ(folio("0001"), "0001000002");
    EXPECT_EQ(folio("02", 6), "020001");
    EXPECT_FALSE(connection.inTransaction());
    EXPECT_EQ(db.rows("SELECT Fo_Tabla, Fo_Ultimo, Oper_Alta FROM Folio WHERE Sc_Cve_Sucursal = "
                      "'0001'"),
              (QList<QStringList>{{"EMBARQUE", "2", "MGARCIA"}}));
    EXPECT_THROW(folio("0001000000"), com::RuntimeError);
    EXPECT_FALSE(connection.inTransaction());

    connection.BeginTrans();
    const QString third = folio("0001");
    EXPECT_THROW(folio("00 1"), com::RuntimeError);
    ASSERT_TRUE(connection.inTransaction());
    connection.RollbackTrans();
    EXPECT_EQ(folio("0001"), third);

    // Folios already in the table are never given; a branch is matched as written, never as a
    // pattern, and a blank or malformed one is refused without a trace.
    const auto embarque = [&](const char* f) {
        db.exec(QStringLiteral("INSERT INTO Embarque (Eb_Folio, Sc_Cve_Sucursal) VALUES ('%1', "
                               "'%2')")
                    .arg(QLatin1String(f), QLatin1String(f, 4)));
    };
    for (const char* f : {"0003000041", "0003000007", "0004000999", "%_03000007"})
        embarque(f);
    EXPECT_EQ(folio("0003"), "0003000042");
    embarque("0003000043");
    QStringList dados;
    for (const char* sucursal : {"0003", "%", "%_03", "_"})
        dados << folio(sucursal);
    EXPECT_EQ(dados, (QStringList{"0003000044", "%000000001", "%_03000008", "_000000001"}));
    const QList<QStringList> antes = folios();
    for (const char* mala : {"", "   ", "00 1", "00\t1"}) {
        const com::RuntimeError e = ktest::errorOf([&] { folio(mala); });
        EXPECT_TRUE(e.description().contains("no es válida")) << e.what();
    }
    EXPECT_FALSE(connection.inTransaction());
    EXPECT_EQ(folios(), antes);
}

// Sistema as the component's start-up creates it, by class identifier from the session's
// registered services, on the session's connection. A parameter gives its value, or the default
// when it is missing or blank; a failing read names the parameter. Each message reaches the
// presenter and is added to the log as one JSON line.
TEST_F(FuncionesTest, SistemaReadsParametersOrTheirDefaultAndLogsMessages) {
    QTemporaryDir dir;
    com::Runtime runtime{dir.filePath("registry.json")};
    suite::registerHostServices(runtime, session);
    const auto sistema = runtime.create<kt512::ISistema>(kt512::ClassIds::Sistema);
    const auto parametro = [&](const QString& nombre, const QString& valorDefault) {
        return sistema->LeerParametro(nombre, 0, "T", valorDefault).toString();
    };
    EXPECT_EQ(&sistema->Conexion(), &session->connection());

    EXPECT_EQ(parametro("LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES", "99"), "20");
    EXPECT_EQ(parametro("NO_CONFIGURADO", "7"), "7");
    EXPECT_EQ(parametro("O'BRIEN", "7"), "7");
    db.exec("UPDATE Parametro SET Pa_Valor = '  ' WHERE Pa_Nombre = 'FTO_SUCURSAL'");
    EXPECT_EQ(parametro("FTO_SUCURSAL", "0000"), "0000");
    db.exec("DROP TABLE Parametro");
    const com::RuntimeError e = ktest::errorOf([&] { parametro("FTO_VEHICULO", "0000000000"); });
    EXPECT_TRUE(e.description().contains("FTO_VEHICULO")) << e.what();

    const QString log = dir.filePath("mensajes.jsonl");
    qputenv("KESTROVA_MESSAGE_LOG", log.toLocal8Bit());
    for (int i = 0; i < 2; ++i)
        sistema->MostrarMensaje("near \"'x'\": syntax error", 16, "CARGAR VIAJES", qlonglong(4242),
                                "KT512", "ERR-ID:7500002");
    qunsetenv("KESTROVA_MESSAGE_LOG");

    ASSERT_EQ(mensajes->messages().size(), 2u);
    EXPECT_EQ(mensajes->messages()[1].hWnd, 4242);
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.errorString());
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(QJsonDocument::fromJson(lines[1]).object(),
              QJsonObject({{"text", "near \"'x'\": syntax error"},
                           {"style", 16},
                           {"title", "CARGAR VIAJES"},
                           {"module", "KT512"},
                           {"id", "ERR-ID:7500002"}}));
}

// A form with two text boxes, a list and a third text box, in this tab order.
forms::FormDesign formaDePrueba() {
    forms::FormDesign design;
    design.name = "frmPrueba";
    design.clientWidth = 9000;
    design.clientHeight = 6000;
    const std::tuple<const char*, const char*, int> controles[] = {
        {"VB.TextBox", "txtUno", 315},
        {"VB.TextBox", "txtDos", 315},
        {"MSComctlLib.ListView", "lvLista", 3000},
        {"VB.TextBox", "txtTres", 315}};
    int top = 120;
    for (const auto& [progId, name, height] : controles) {
        design.controls << forms::ControlDesign{
            progId, name, -1, 120, top, 8000, height, {}, {}, int(design.controls.size())};
        top += height + 105;
    }
    return design;
}

// A Tab sent as keys moves on, from a list too; a prepared form selects the text of a box
// focused by code, prepared twice as well; a reset clears the selection of its lists and keeps
// their rows, and leaves an unloaded form unloaded; the list format is applied last.
TEST_F(FuncionesTest, TheFormHelpersMoveTheFocusSelectTheTextResetAndFormatTheLists) {
    forms::Form forma{formaDePrueba()};
    forma.Show();
    forma.window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(forma.window()));
    const auto enfocar = [&](const char* name) {
        forma.ctl(name).SetFocus();
        QCoreApplication::processEvents();
        return forma.ctl(name).widget();
    };
    forms::ListView& lista = forma.listView("lvLista");
    lista.setContent({"Folio"}, {{"1"}, {"2"}, {"3"}});

    ASSERT_EQ(QApplication::focusWidget(), enfocar("lvLista"));
    funciones->EnviarTeclas("\t", 0);
    EXPECT_EQ(QApplication::focusWidget(), forma.ctl("txtTres").widget());
    // A control that keeps the Tab for itself is left all the same.
    struct GuardaTab : QObject {
        bool eventFilter(QObject*, QEvent* e) override {
            return e->type() == QEvent::KeyPress &&
                   static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab;
        }
    } guardaTab;
    enfocar("lvLista")->installEventFilter(&guardaTab);
    funciones->EnviarTeclas("\t", 0);
    EXPECT_EQ(QApplication::focusWidget(), forma.ctl("txtTres").widget());

    auto* dos = qobject_cast<QLineEdit*>(forma.ctl("txtDos").widget());
    dos->setText("1234.5");
    funciones->PrepararForma(forma, 1);
    funciones->PrepararForma(forma, 1);
    enfocar("txtDos");
    EXPECT_EQ(dos->selectedText(), "1234.5");

    lista.setSelectedIndex(3);
    funciones->ReiniciarForma(forma, 1);
    EXPECT_EQ(lista.SelectedIndex(), 0);
    EXPECT_EQ(lista.Count(), 3);
    forms::Form descargada{formaDePrueba()};
    funciones->ReiniciarForma(descargada, 1);
    EXPECT_FALSE(descargada.isLoaded());

    // Formatted, columns fit their text within a cap, numbers align right while codes ("007")
    // stay left as an empty column does, and dates show in the operator's format.
    const QString largo = QStringLiteral("Distribuidora O'Brien, S.A. de C.V. ").repeated(6);
    lista.setContent({"Folio", "Cliente", "Importe", "Fecha", "Km", "Notas"},
                     {{"0001000012", largo, "1234.5", "2026-03-04", "-3", ""},
                      {"0001000013", "Ana", "17", "2026-03-05 08:30:00", "0.25", ""},
                      {"0001000014", "Luis", "", "", "007", ""}});
    com::newObject<suite::FormatoLista>()->Aplicar(lista);
    auto* view = qobject_cast<QTreeView*>(lista.widget());
    ASSERT_NE(view, nullptr);
    const auto width = [view](int column) { return view->header()->sectionSize(column); };
    const auto alignment = [view](int column) {
        return view->model()
                   ->data(view->model()->index(0, column), Qt::TextAlignmentRole)
                   .value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    };

    const QFontMetrics metrics(view->font());
    EXPECT_GE(width(0), metrics.horizontalAdvance("0001000012"));
    EXPECT_GT(width(1), width(0));
    EXPECT_LT(width(1), metrics.horizontalAdvance(largo));
    EXPECT_GE(width(4), metrics.horizontalAdvance("Km"));
    EXPECT_EQ(std::vector({alignment(0), alignment(1), alignment(2), alignment(4), alignment(5)}),
              std::vector<Qt::Alignment>(
                  {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight, Qt::AlignLeft, Qt::AlignLeft}));
    EXPECT_EQ(lista.subItem(1, 3), "04/03/2026");
    EXPECT_EQ(lista.subItem(2, 3), "05/03/2026 08:30");
    forma.Unload();
}

const QString kViajes = QStringLiteral(
    "SELECT Vj_Folio AS Folio, Vj_Fecha AS Fecha, Vj_Fecha_Inicio_Viaje AS Inicio, "
    "Vj_Kilometro_Inicial AS Km, Vj_Observaciones AS Notas, '2026-03-05 00:00:00' AS Entrega "
    "FROM Viaje ORDER BY Vj_Folio");
const QStringList kColumnas{"Folio", "Fecha", "Inicio", "Km", "Notas", "Entrega"};

class LlenarListaTest : public SesionDePrueba {
protected:
    LlenarListaTest() : SesionDePrueba({40, 7, QDate(2026, 3, 15)}) {}
    bool llenar(const QString& sql) {
        const bool ok = funciones->LlenarLista(sql, lista, true);
        EXPECT_EQ(funciones->UltimoError().isEmpty(), ok) << qPrintable(funciones->UltimoError());
        return ok;
    }
    // The column headers as row 0, then each item and its sub-items.
    QStringList fila(int i) {
        QStringList r;
        for (int c = 1; c <= lista.columnCount(); ++c)
            r << (i == 0   ? lista.columnText(c)
                  : c == 1 ? lista.itemText(i)
                           : lista.subItem(i, c - 1));
        return r;
    }
    forms::Form forma{formaDePrueba()};
    forms::ListView& lista = forma.listView("lvLista");
};

// Dates and moments show in the operator's format, a column of midnights as dates. A failure
// leaves the list as it was; an empty result keeps the columns.
TEST_F(LlenarListaTest, ColumnsAndRowsComeFromTheQueryInTheOperatorsFormats) {
    const QString primero = db.scalar("SELECT MIN(Vj_Folio) FROM Viaje").toString();
    db.exec(QStringLiteral("UPDATE Viaje SET Vj_Fecha = '2026-03-04', Vj_Fecha_Inicio_Viaje = "
                           "'2026-03-04 07:05:00', Vj_Kilometro_Inicial = '12.5', "
                           "Vj_Observaciones = NULL WHERE Vj_Folio = '%1'")
                .arg(primero));
    ASSERT_TRUE(llenar(kViajes));
    EXPECT_EQ(fila(0), kColumnas);
    EXPECT_EQ(fila(1),
              (QStringList{primero, "04/03/2026", "04/03/2026 07:05", "12.5", "", "05/03/2026"}));

    const int filas = lista.Count();
    EXPECT_FALSE(llenar("SELECT Vj_Folio FROM ViajePerdido"));
    EXPECT_TRUE(funciones->UltimoError().contains("ViajePerdido"));
    EXPECT_EQ(lista.Count(), filas);
    QString vacia = kViajes;
    ASSERT_TRUE(llenar(vacia.replace("ORDER BY", "WHERE 1 = 0 ORDER BY")));
    EXPECT_EQ(lista.Count(), 0);
    EXPECT_EQ(fila(0), kColumnas);

    // The numbers of a column show the decimals of the one that has the most; a binary
    // fraction's noise is no decimal, and whole numbers and codes stay as they are.
    ASSERT_TRUE(llenar(
        QStringLiteral("SELECT 'A' AS Folio, 34.16 AS Volumen, 0.1 + 0.2 AS Suma, 12 AS Piezas, "
                       "'0012' AS Clave UNION ALL SELECT 'B', 39.9, 1, 7, '12' "
                       "UNION ALL SELECT 'C', 12, 2.5, -8, NULL "
                       "UNION ALL SELECT 'D', NULL, -3, 9, '3'")));
    EXPECT_EQ((QList<QStringList>{fila(1), fila(2), fila(3), fila(4)}),
              (QList<QStringList>{{"A", "34.16", "0.3", "12", "0012"},
                                  {"B", "39.90", "1.0", "7", "12"},
                                  {"C", "12.00", "2.5", "-8", ""},
                                  {"D", "", "-3.0", "9", "3"}}));
}

} // namespace
