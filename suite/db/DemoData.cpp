#include "DemoData.h"

#include "DemoNames.h"
#include "Folio.h"
#include "Schema.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlText.h"
#include "platform/ado/SqliteConnection.h"
#include "platform/com/RuntimeError.h"

#include <QDateTime>
#include <QLocale>
#include <QMap>
#include <QSqlDriver>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <random>
#include <sqlite3.h>
#include <utility>
#include <vector>

namespace suite {

namespace {

constexpr int folioLength = 10;

// std::mt19937 gives the same sequence everywhere; the standard distributions do not, so the
// ranges are taken by hand.
class Random {
public:
    explicit Random(quint32 seed) : m_engine(seed) {}
    int between(int low, int high) { return low + int(m_engine() % quint32(high - low + 1)); }
    double unit() { return m_engine() / 4294967296.0; }
    bool chance(double p) { return unit() < p; }
    template <class T> const T& pick(const std::vector<T>& items) {
        return items[size_t(between(0, int(items.size()) - 1))];
    }

private:
    std::mt19937 m_engine;
};

double round2(double v) {
    return std::round(v * 100.0) / 100.0;
}

// One INSERT, run once per row. On SQLite it is prepared and bound straight on the connection's
// handle: going through the statement text costs twice the time for a hundred thousand trips'
// worth of rows. Elsewhere each row goes as one statement of literal values.
class Insert {
public:
    Insert(ado::Connection& connection, const QString& table, const QStringList& columns)
        : m_connection(connection), m_table(table), m_columns(int(columns.size())) {
        m_head = QStringLiteral("INSERT INTO %1 (%2) VALUES (")
                     .arg(table, columns.join(QStringLiteral(", ")));
        if (auto* lite = dynamic_cast<ado::SqliteConnection*>(&connection)) {
            const QVariant handle = lite->database().driver()->handle();
            if (qstrcmp(handle.typeName(), "sqlite3*") == 0)
                m_handle = *static_cast<sqlite3* const*>(handle.constData());
        }
        if (m_handle) {
            const QString marks = QStringList(columns.size(), QStringLiteral("?")).join(',');
            if (sqlite3_prepare_v2(m_handle, (m_head + marks + ')').toUtf8().constData(), -1,
                                   &m_statement, nullptr) != SQLITE_OK)
                fail(QString::fromUtf8(sqlite3_errmsg(m_handle)));
        }
    }
    ~Insert() { sqlite3_finalize(m_statement); }
    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    Insert& operator<<(const QString& v) {
        const int i = slot();
        if (m_statement)
            check(sqlite3_bind_text16(m_statement, i + 1, v.utf16(), int(v.size() * 2),
                                      SQLITE_TRANSIENT));
        else
            literal(QLatin1Char('\'') + ado::sqlText(v) + QLatin1Char('\''));
        return *this;
    }
    Insert& operator<<(const char* ascii) { return *this << QString::fromLatin1(ascii); }
    Insert& operator<<(int v) { return *this << qint64(v); }
    Insert& operator<<(qint64 v) {
        const int i = slot();
        if (m_statement)
            check(sqlite3_bind_int64(m_statement, i + 1, v));
        else
            literal(QString::number(v));
        return *this;
    }
    Insert& operator<<(double v) {
        const int i = slot();
        if (m_statement)
            check(sqlite3_bind_double(m_statement, i + 1, v));
        else
            literal(QLocale::c().toString(v, 'f', QLocale::FloatingPointShortest));
        return *this;
    }
    // A null, a text or a date-time (not on SQLite, which takes dates as text).
    Insert& operator<<(const QVariant& v) {
        if (!v.isNull() && v.typeId() == QMetaType::QString)
            return *this << v.toString();
        const int i = slot();
        if (v.isNull()) {
            if (m_statement)
                check(sqlite3_bind_null(m_statement, i + 1));
            else
                literal(QStringLiteral("NULL"));
        } else if (!m_statement && v.typeId() == QMetaType::QDateTime) {
            literal(v.toDateTime().toString(QStringLiteral("''yyyy-MM-ddTHH:mm:ss''")));
        } else {
            fail(QStringLiteral("un valor de tipo %1").arg(QLatin1String(v.typeName())));
        }
        return *this;
    }

    void run() {
        if (m_next != m_columns)
            fail(QStringLiteral("%1 valores para %2 columnas").arg(m_next).arg(m_columns));
        m_next = 0;
        if (m_statement) {
            if (sqlite3_step(m_statement) != SQLITE_DONE) {
                const QString error = QString::fromUtf8(sqlite3_errmsg(m_handle));
                sqlite3_reset(m_statement);
                fail(error);
            }
            check(sqlite3_reset(m_statement));
        } else {
            const QString sql = m_head + m_values.join(QStringLiteral(", ")) + QLatin1Char(')');
            m_values.clear();
            try {
                m_connection.Execute(sql);
            } catch (const com::RuntimeError& e) {
                fail(e.description());
            }
        }
        ++m_rows;
    }
    int rows() const { return m_rows; }

private:
    int slot() {
        if (m_next >= m_columns)
            fail(QStringLiteral("más valores que columnas (%1)").arg(m_columns));
        return m_next++;
    }
    void literal(const QString& text) { m_values << text; }
    void check(int rc) const {
        if (rc != SQLITE_OK)
            fail(QString::fromUtf8(sqlite3_errmsg(m_handle)));
    }
    [[noreturn]] void fail(const QString& why) const {
        throw com::RuntimeError(
            QStringLiteral("No se pudieron escribir los datos de demostración en %1: %2")
                .arg(m_table, why));
    }

    ado::Connection& m_connection;
    QString m_table;
    int m_columns;
    QString m_head;
    QStringList m_values;
    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    int m_next = 0;
    int m_rows = 0;
};

struct Catalogue {
    QString code;
    QString description;
    bool active = true;
    QString type; // vehicles: their vehicle type
};

struct Trip {
    QString folio;
    QDate date;
    QString state;
    QString branch;
    QString vehicleType;
};

class Generator {
public:
    Generator(ado::Connection& connection, const DemoData::Options& options)
        : m_connection(connection),
          m_lite(connection.dialect() == ado::Connection::Dialect::SQLite), m_random(options.seed),
          m_today(options.today.isValid() ? options.today : QDate::currentDate()),
          m_tripCount(std::max(0, options.trips)) {}

    DemoData::Summary run() {
        catalogues();
        trips();
        counters();
        return m_summary;
    }

private:
    // Dates go in as the host's date text reads them back: ISO text on SQLite, typed values on
    // SQL Server.
    QVariant day(const QDate& d) const {
        return m_lite ? QVariant(d.toString(QStringLiteral("yyyy-MM-dd")))
                      : QVariant(d.startOfDay(Qt::UTC));
    }
    QVariant moment(const QDateTime& t) const {
        return m_lite ? QVariant(t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))) : QVariant(t);
    }
    // Wall-clock moments of the suite; UTC only spares a time-zone lookup for every row.
    static QDateTime at(const QDate& d, int hour, int minute) {
        return QDateTime(d, QTime(hour, minute), Qt::UTC);
    }
    static QString code(int number, int width) {
        return QString::number(number).rightJustified(width, QLatin1Char('0'));
    }
    QString nextFolio(const QString& branch, const char* table) {
        qint64& last = m_counters[{branch, QString::fromLatin1(table)}];
        return Folio::text(branch, ++last, folioLength);
    }
    QString person() {
        return m_random.pick(DemoNames::firstNames()) + QLatin1Char(' ') +
               m_random.pick(DemoNames::surnames()) + QLatin1Char(' ') +
               m_random.pick(DemoNames::surnames());
    }
    QString op() { return m_random.pick(DemoNames::operators()); }
    // Audit columns of a row entered at 'created' and last touched at 'changed'.
    void audit(Insert& insert, const QDateTime& created, const QDateTime& changed) {
        insert << op() << moment(created) << op() << moment(changed);
    }
    void catalogueAudit(Insert& insert) {
        const QDateTime since = at(m_today.addDays(-420), 9, 0);
        audit(insert, since, since);
    }
    const Catalogue& activeOf(const std::vector<Catalogue>& items) {
        for (;;) {
            const Catalogue& c = m_random.pick(items);
            if (c.active)
                return c;
        }
    }

    void catalogues() {
        branches();
        vehicleTypes();
        vehicles();
        drivers();
        clients();
    }

    // Six fixed names coded from 0001; the sixth is withdrawn (Torreón closed, motorcycles no
    // longer used), its code kept in the catalogue as the screens must still show it.
    std::vector<Catalogue> fixedCatalogue(const char* table, const char* codeColumn,
                                          const char* descriptionColumn,
                                          const char* const (&names)[6], int& count) {
        Insert ins(m_connection, table,
                   withAudit({codeColumn, descriptionColumn, "Es_Cve_Estado"}));
        std::vector<Catalogue> items;
        for (int n = 1; n <= 6; ++n) {
            Catalogue c{code(n, 4), QString::fromUtf8(names[n - 1]), n != 6, {}};
            ins << c.code << c.description << stateOf(c);
            catalogueAudit(ins);
            ins.run();
            items.push_back(c);
        }
        count = ins.rows();
        return items;
    }

    void branches() {
        const char* const names[] = {"Monterrey Centro", "Guadalajara",     "Querétaro",
                                     "Puebla",           "San Luis Potosí", "Torreón"};
        m_branches = fixedCatalogue("Sucursal", "Sc_Cve_Sucursal", "Sc_Descripcion", names,
                                    m_summary.branches);
    }

    void vehicleTypes() {
        const char* const names[] = {"Camioneta 3.5 t", "Rabón",       "Tortón",
                                     "Tráiler 48'",     "Tráiler 53'", "Motocicleta"};
        fixedCatalogue("Tipo_Vehiculo", "Tv_Cve_Tipo_Vehiculo", "Tv_Descripcion", names,
                       m_summary.vehicleTypes);
    }

    void vehicles() {
        const char* models[] = {"Nissan NP300",  "Hino 300",        "International 4300",
                                "Kenworth T370", "Freightliner M2", "Kenworth T680",
                                "Italika FT150"};
        const int typeOfModel[] = {1, 2, 3, 3, 3, 5, 6};
        Insert ins(m_connection, "Vehiculo",
                   withAudit({"Vh_Cve_Vehiculo", "Vh_Descripcion", "Tv_Cve_Tipo_Vehiculo",
                              "Vh_Placas", "Es_Cve_Estado"}));
        for (int n = 1; n <= 36; ++n) {
            const int model = n <= 32 ? (n - 1) % 6 : 6;
            const QString type = code(typeOfModel[model], 4);
            const QString description =
                QStringLiteral("%1 #%2").arg(QString::fromLatin1(models[model]), code(n, 2));
            const QString plates = QStringLiteral("%1%2%3-%4")
                                       .arg(QChar('A' + m_random.between(0, 25)))
                                       .arg(QChar('A' + m_random.between(0, 25)))
                                       .arg(QChar('A' + m_random.between(0, 25)))
                                       .arg(m_random.between(1000, 9999));
            // Sold units and every motorcycle are withdrawn.
            const bool active = model != 6 && n % 9 != 5;
            Catalogue c{code(n, 10), description, active, type};
            ins << c.code << c.description << type << plates << stateOf(c);
            catalogueAudit(ins);
            ins.run();
            m_vehicles.push_back(c);
        }
        m_summary.vehicles = ins.rows();
    }

    void drivers() {
        Insert ins(m_connection, "Chofer",
                   withAudit({"Ch_Cve_Chofer", "Ch_Descripcion", "Ch_Licencia", "Es_Cve_Estado"}));
        for (int n = 1; n <= 30; ++n) {
            const QString name = n == 7 ? QStringLiteral("Patricio O'Brien Garza") : person();
            Catalogue c{code(n, 4), name, n % 8 != 4, {}};
            ins << c.code << c.description
                << QStringLiteral("LF-%1").arg(m_random.between(100000, 999999)) << stateOf(c);
            catalogueAudit(ins);
            ins.run();
            m_drivers.push_back(c);
        }
        m_summary.drivers = ins.rows();
    }

    void clients() {
        Insert ins(m_connection, "Cliente",
                   withAudit({"Cl_Cve_Cliente", "Cl_Descripcion", "Es_Cve_Estado"}));
        for (int n = 1; n <= 80; ++n) {
            const QString name = n == 3 ? QStringLiteral("Distribuidora O'Brien, S.A. de C.V.")
                                        : m_random.pick(DemoNames::businessKinds()) +
                                              QLatin1Char(' ') +
                                              m_random.pick(DemoNames::businessNames());
            Catalogue c{code(n, 6), name, n % 15 != 0, {}};
            ins << c.code << c.description << stateOf(c);
            catalogueAudit(ins);
            ins.run();
            m_clients.push_back(c);
        }
        m_summary.clients = ins.rows();
    }

    static QStringList withAudit(QStringList columns) {
        return columns << "Oper_Alta"
                       << "Fecha_Alta"
                       << "Oper_Ult_Modif"
                       << "Fecha_Ult_Modif";
    }
    static QString stateOf(const Catalogue& c) {
        return c.active ? QStringLiteral("AC") : QStringLiteral("BA");
    }

    QString tripState(int offset) {
        const double u = m_random.unit();
        if (offset < -3)
            return u < 0.85 ? "CE" : u < 0.95 ? "CA" : "TR";
        if (offset <= 0)
            return u < 0.5 ? "TR" : u < 0.8 ? "CE" : u < 0.95 ? "AB" : "CA";
        return u < 0.92 ? "AB" : "CA";
    }

    QString odometer() {
        return QStringLiteral("%1.%2")
            .arg(m_random.between(12000, 880000))
            .arg(m_random.between(0, 9));
    }

    void trips() {
        m_trip.emplace(
            m_connection, "Viaje",
            withAudit({"Vj_Folio", "Vj_Fecha", "Es_Cve_Estado", "Sc_Cve_Sucursal", "Ch_Cve_Chofer",
                       "Vh_Cve_Vehiculo", "Vj_Fecha_Inicio_Viaje", "Vj_Fecha_Fin_Viaje",
                       "Vj_Kilometro_Inicial", "Vj_Kilometro_Final", "Vj_Observaciones"}));
        // order() gives a line's values in the schema's column order, the state last.
        m_line.emplace(m_connection, "Orden_Entrega",
                       Schema::table(QStringLiteral("Orden_Entrega")).columnNames());
        m_shipment.emplace(m_connection, "Embarque",
                           QStringList{"Eb_Folio", "Eb_Fecha", "Eb_Fecha_Salida", "Sc_Cve_Sucursal",
                                       "Eb_Tipo_Embarque", "Eb_Tipo_Vehiculo", "Eb_Peso",
                                       "Eb_Volumen", "Eb_Comentario", "Eb_Direccion_Entrega_Tabla",
                                       "Eb_Direccion_Entrega_Documento", "Eb_Direccion_Entrega_ID",
                                       "Oper_Alta", "Fecha_Alta", "Oper_Ult_Modif",
                                       "Fecha_Ult_Modif", "Eb_Tabla", "Eb_Documento",
                                       "Es_Cve_Estado"});
        m_remission.emplace(m_connection, "Remision",
                            withAudit({"Rm_Folio", "Rm_Fecha", "Sc_Cve_Sucursal", "Cl_Cve_Cliente",
                                       "Rm_Importe", "Es_Cve_Estado"}));
        m_sale.emplace(m_connection, "Venta",
                       withAudit({"Vn_Folio", "Vn_Fecha", "Sc_Cve_Sucursal", "Cl_Cve_Cliente",
                                  "Vn_Tabla", "Vn_Documento", "Vn_Importe", "Es_Cve_Estado"}));
        m_link.emplace(
            m_connection, "Entrega_Documento",
            withAudit({"Ed_Tabla", "Ed_Documento", "De_ID", "De_Tabla", "De_Documento"}));
        m_tripLink.emplace(m_connection, "Viaje_Documento",
                           withAudit({"Vj_Folio", "Vd_Tabla", "Vd_Documento"}));

        // Folios grow with the trip date, as they would have been issued.
        std::vector<int> offsets(static_cast<size_t>(m_tripCount));
        for (int& o : offsets)
            o = m_random.between(-30, 30);
        std::sort(offsets.begin(), offsets.end());
        for (int offset : offsets)
            trip(offset);

        m_summary.trips = m_trip->rows();
        m_summary.orderLines = m_line->rows();
        m_summary.shipments = m_shipment->rows();
        m_summary.remissions = m_remission->rows();
        m_summary.sales = m_sale->rows();
        m_summary.documentLinks = m_link->rows();
        m_summary.tripLinks = m_tripLink->rows();
    }

    void trip(int offset) {
        Trip t;
        t.date = m_today.addDays(offset);
        t.state = tripState(offset);
        t.branch = activeOf(m_branches).code;
        t.folio = nextFolio(t.branch, "VIAJE");
        // Old trips may name drivers and vehicles withdrawn since.
        const bool old = offset < -10 && m_random.chance(0.05);
        const Catalogue& vehicle = old ? m_random.pick(m_vehicles) : activeOf(m_vehicles);
        const Catalogue& driver = old ? m_random.pick(m_drivers) : activeOf(m_drivers);
        t.vehicleType = vehicle.type;

        QVariant start, end, kmStart, kmEnd;
        QDateTime changed = at(t.date.addDays(-m_random.between(1, 10)), m_random.between(8, 18),
                               m_random.between(0, 59));
        const QDateTime created = changed;
        if (t.state == "CE" || t.state == "TR") {
            const QDateTime s = at(t.date, m_random.between(5, 10), m_random.between(0, 59));
            start = moment(s);
            changed = s;
            const QString km = odometer();
            kmStart = km;
            if (t.state == "CE") {
                const QDateTime e = s.addSecs(60 * m_random.between(90, 14 * 60));
                end = moment(e);
                changed = e.addSecs(60 * m_random.between(10, 120));
                const double travelled = m_random.between(15, 1100) + m_random.between(0, 9) / 10.0;
                // A few odometers report every decimal they have.
                kmEnd = m_random.chance(0.01) ? QStringLiteral("%1.%2")
                                                    .arg(m_random.between(100000, 999999))
                                                    .arg(m_random.between(100000000, 999999999))
                                              : QString::number(km.toDouble() + travelled, 'f', 1);
            }
        }
        const QVariant remark =
            m_random.chance(0.15) ? QVariant(m_random.pick(DemoNames::remarks())) : QVariant();

        *m_trip << t.folio << day(t.date) << t.state << t.branch << driver.code << vehicle.code
                << start << end << kmStart << kmEnd << remark;
        audit(*m_trip, created, changed);
        m_trip->run();

        const double u = m_random.unit();
        const int orders = t.state == "CA" ? (u < 0.5 ? 0 : 1)
                           : u < 0.15      ? 0
                           : u < 0.6       ? 1
                           : u < 0.9       ? 2
                                           : 3;
        for (int i = 0; i < orders; ++i)
            order(t);
        const double v = m_random.unit();
        const int shipments = v < 0.5 ? 0 : v < 0.85 ? 1 : 2;
        for (int i = 0; i < shipments; ++i)
            shipment(t);
    }

    // The state of a document carried by a trip in the given state.
    QString documentState(const QString& tripState) {
        if (tripState == "CA")
            return "CA";
        const double u = m_random.unit();
        if (u < 0.08)
            return "CA";
        if (tripState == "CE")
            return "EN";
        if (u < 0.11)
            return "RP"; // moved to another date; its copy travels elsewhere
        return tripState == "TR" && u < 0.9 ? "RMT" : "RM";
    }

    void tripLink(const Trip& t, const char* table, const QString& folio, const QDateTime& when) {
        *m_tripLink << t.folio << QString::fromLatin1(table) << folio;
        audit(*m_tripLink, when, when);
        m_tripLink->run();
    }

    void documentLink(const QString& order, int id, const char* table, const QString& document,
                      const QDateTime& when) {
        *m_link << "ORDEN_ENTREGA" << order << id << QString::fromLatin1(table) << document;
        audit(*m_link, when, when);
        m_link->run();
    }

    void order(const Trip& t) {
        const QString folio = nextFolio(t.branch, "ORDEN_ENTREGA");
        const QString state = documentState(t.state);
        const bool cancelled = state == "CA";
        const Catalogue& client = activeOf(m_clients);
        const QString request = nextFolio(t.branch, "PEDIDO");
        const QDateTime created = at(t.date.addDays(-m_random.between(1, 6)),
                                     m_random.between(8, 19), m_random.between(0, 59));

        QString remission, sale;
        QString saleState;
        if (m_random.chance(0.75)) {
            remission = nextFolio(t.branch, "REMISION");
            if (m_random.chance(0.65)) {
                sale = nextFolio(t.branch, "VENTA");
                // Some sales were cancelled and never made again: only the remission remains.
                saleState = cancelled || m_random.chance(0.1) ? "CA" : "FA";
            }
        }
        const bool invoiced = saleState == "FA";
        const QString warehouse = m_random.chance(0.8) ? "01" : "02";
        const QString seller = QStringLiteral("V%1").arg(code(m_random.between(1, 12), 3));
        const QVariant contact = m_random.chance(0.03)
                                     ? QVariant(QStringLiteral("Patricio O'Brien"))
                                     : QVariant(person());
        const QVariant comment =
            m_random.chance(0.3) ? QVariant(m_random.pick(DemoNames::remarks())) : QVariant();
        const double globalFactor = m_random.chance(0.1) ? 0.02 : 0.0;
        const bool dollars = m_random.chance(0.05);
        const QDateTime changed = created.addSecs(60 * m_random.between(0, 600));

        // Most orders have a few lines, some many.
        const int lines = 1 + int(19.0 * std::pow(m_random.unit(), 4.0));
        double total = 0;
        for (int id = 1; id <= lines; ++id) {
            const DemoNames::Product& p = m_random.pick(DemoNames::products());
            const bool bulk = std::strcmp(p.unit, "M3") == 0 || std::strcmp(p.unit, "MIL") == 0;
            const double qty = bulk ? m_random.between(1, 12) : m_random.between(1, 120);
            const double listPrice = dollars ? round2(p.price / 17.25) : p.price;
            static const std::vector<double> discounts{0, 0, 0, 0.05, 0.1};
            const double discount = m_random.pick(discounts);
            const double listAmount = round2(qty * listPrice);
            const double discounted = round2(listPrice * (1 - discount));
            const double discountedAmount = round2(qty * discounted);
            const double tax = round2(discountedAmount * 0.16);
            const double net = round2(discounted * 1.16);
            const double netAmount = round2(discountedAmount + tax);
            total += netAmount;
            // Now and then one line of an order was cancelled on its own.
            const QString lineState =
                lines > 1 && !cancelled && m_random.chance(0.03) ? "CA" : state;
            const bool sent = lineState == "RMT" || lineState == "EN";
            const double kilos = round2(qty * p.kilos);
            const double volume = round2(qty * p.cubicMetres);

            Insert& ins = *m_line;
            ins << folio << id << day(t.date) << "PEDIDO" << request << (invoiced ? "S" : "N")
                << (invoiced ? QVariant(sale) : QVariant()) << t.branch << warehouse << client.code
                << seller << globalFactor << round2(discountedAmount * globalFactor)
                << QString::fromUtf8(p.description) << comment << QString::fromLatin1(p.code)
                << (std::strncmp(p.code, "PIN", 3) == 0 ? QVariant("BLA") : QVariant())
                << QVariant() << qty << QString::fromLatin1(p.unit) << kilos << "KG" << volume
                << "M3" << listPrice << listAmount << discount
                << round2(listAmount - discountedAmount) << discounted << discountedAmount << 0.16
                << tax << net << netAmount << (dollars ? "USD" : "MXN") << (dollars ? 17.25 : 1.0)
                << (remission.isEmpty() ? QVariant() : QVariant(remission)) << contact << QVariant()
                << (sent ? qty : 0.0) << (sent ? kilos : 0.0) << (sent ? volume : 0.0);
            audit(ins, created, changed);
            ins << t.vehicleType << t.branch << warehouse << lineState;
            ins.run();
        }
        ++m_summary.orders;

        const QDate issued = t.date.addDays(-m_random.between(0, 3));
        const QDateTime issuedAt = at(issued, m_random.between(8, 19), m_random.between(0, 59));
        total = round2(total);
        if (!remission.isEmpty()) {
            *m_remission << remission << day(issued) << t.branch << client.code << total
                         << (cancelled ? "CA" : "AC");
            audit(*m_remission, issuedAt, issuedAt);
            m_remission->run();
            documentLink(folio, 1, "REMISION", remission, issuedAt);
        }
        if (!sale.isEmpty()) {
            *m_sale << sale << day(issued) << t.branch << client.code << "REMISION" << remission
                    << total << saleState;
            audit(*m_sale, issuedAt, issuedAt);
            m_sale->run();
        }
        if (m_random.chance(0.8))
            documentLink(folio, 2, "PEDIDO", request, created);
        tripLink(t, "ORDEN_ENTREGA", folio, created);
    }

    void shipment(const Trip& t) {
        const QString folio = nextFolio(t.branch, "EMBARQUE");
        const QDateTime created = at(t.date.addDays(-m_random.between(0, 4)),
                                     m_random.between(7, 19), m_random.between(0, 59));
        const QVariant comment =
            m_random.chance(0.4) ? QVariant(m_random.pick(DemoNames::remarks())) : QVariant();
        Insert& ins = *m_shipment;
        ins << folio << day(t.date.addDays(-m_random.between(0, 2))) << day(t.date) << t.branch
            << (m_random.chance(0.7) ? "LOC" : "FOR") << t.vehicleType
            << round2(m_random.between(150, 12000) + m_random.unit())
            << round2(m_random.between(1, 60) + m_random.unit()) << comment << "CLIENTE"
            << activeOf(m_clients).code << m_random.between(1, 3);
        audit(ins, created, created);
        ins << "TRASPASO" << nextFolio(t.branch, "TRASPASO") << documentState(t.state);
        ins.run();
        tripLink(t, "EMBARQUE", folio, created);
    }

    // The counters go on from the last folio each branch issued here.
    void counters() {
        Insert ins(m_connection, "Folio", withAudit({"Sc_Cve_Sucursal", "Fo_Tabla", "Fo_Ultimo"}));
        const QDateTime now = at(m_today, 8, 0);
        for (auto it = m_counters.cbegin(); it != m_counters.cend(); ++it) {
            ins << it.key().first << it.key().second << it.value();
            audit(ins, now, now);
            ins.run();
        }
    }

    ado::Connection& m_connection;
    bool m_lite;
    Random m_random;
    QDate m_today;
    int m_tripCount;
    DemoData::Summary m_summary;
    QMap<std::pair<QString, QString>, qint64> m_counters;
    std::vector<Catalogue> m_branches, m_vehicles, m_drivers, m_clients;
    std::optional<Insert> m_trip, m_line, m_shipment, m_remission, m_sale, m_link, m_tripLink;
};

} // namespace

QString DemoData::Summary::text() const {
    return QStringLiteral("%1 viajes, %2 órdenes de entrega (%3 partidas), %4 embarques, "
                          "%5 remisiones, %6 ventas; catálogos: %7 sucursales, %8 choferes, "
                          "%9 vehículos")
        .arg(trips)
        .arg(orders)
        .arg(orderLines)
        .arg(shipments)
        .arg(remissions)
        .arg(sales)
        .arg(branches)
        .arg(drivers)
        .arg(vehicles);
}

DemoData::Summary DemoData::generate(ado::Connection& connection, const Options& options) {
    connection.BeginTrans();
    Summary summary;
    try {
        summary = Generator(connection, options).run();
        connection.CommitTrans();
    } catch (...) {
        connection.RollbackTrans();
        throw;
    }
    return summary;
}

} // namespace suite
