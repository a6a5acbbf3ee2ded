#pragma once

#include "platform/com/Ptr.h"
#include "platform/forms/RecordingPresenter.h"
#include "suite/host/Funciones.h"
#include "suite/host/HostSession.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

// A fresh test database and Funciones over a session of its own on it.
class SesionDePrueba : public ::testing::Test {
protected:
    explicit SesionDePrueba(const ktest::TestDatabase::Demo& demo = {}) : db(demo) {}

    ktest::TestDatabase db;
    std::shared_ptr<forms::RecordingPresenter> mensajes =
        std::make_shared<forms::RecordingPresenter>();
    std::shared_ptr<suite::HostSession> session =
        std::make_shared<suite::HostSession>(db.open(), QStringLiteral("MGARCIA"), mensajes);
    com::Ptr<kt512::IFunciones> funciones = com::newObject<suite::Funciones>(session);
};
