#pragma once

#include "kt512/shell/Publico.h"
#include "platform/com/Runtime.h"
#include "platform/forms/RecordingPresenter.h"
#include "suite/host/HostSession.h"
#include "tests/support/PrintQString.h"
#include "tests/support/TestDatabase.h"

#include <QDate>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace ktest {

// The component over the suite's own host and business services on a fresh database that holds
// one open trip of 2026-12-04 with one delivery order and one shipment of its own, each with
// values chosen to be hard to copy, on a SQLite file or on the PostgreSQL server. Statements are
// read back from the SQL trace, messages from a recording presenter.
class EntornoReprogramacion : public ::testing::Test {
protected:
    using Engine = TestDatabase::Engine;
    // On a server that cannot run here the database is a file, and SetUp skips the test.
    explicit EntornoReprogramacion(Engine motor = Engine::SqliteFile)
        : motor(motor), db(TestDatabase::available(motor, nullptr) ? motor : Engine::SqliteFile,
                           TestDatabase::Demo{}) {}

    // The order: lines 1 to 3 reprogrammable ("RM", "RMT", "RM"), line 4 cancelled; remission
    // kRemision ("AC") with sale kVenta ("FA"); two document links.
    static const QString kOrden, kRemision, kVenta, kEmbarque, kViaje, kSucursal;

    void SetUp() override;
    void TearDown() override;

    kt512::Publico& publico() { return *m_publico; }
    // The statements run since the last call, as the component built them.
    QStringList traza();
    // The ids of the messages shown since the last call.
    QStringList ids();
    // Every row of the tables a reprogramming touches, as text.
    std::map<QString, QList<QStringList>> tablas();
    // The folios of one table written since SetUp, other than the ones arranged.
    QStringList foliosNuevos(const char* tabla, const char* llave);

    const Engine motor;
    TestDatabase db;
    std::unique_ptr<com::Runtime> runtime;
    std::shared_ptr<forms::RecordingPresenter> mensajes =
        std::make_shared<forms::RecordingPresenter>();
    std::shared_ptr<suite::HostSession> sesion;

private:
    std::unique_ptr<kt512::Publico> m_publico;
};

} // namespace ktest
