#include "platform/ado/ConnectionStringMask.h"
#include "platform/ado/Errors.h"
#include "platform/ado/Providers.h"
#include "tests/support/Checks.h"
#include "tests/support/PrintQString.h"

#include <gtest/gtest.h>

namespace {

TEST(OdbcDriver, AMissingDriverIsNamedAndThePasswordIsNot) {
    const com::RuntimeError driver =
        ktest::errorOf([] { ado::openOdbc("Driver=NoSuchDriver;Server=x;UID=ana;PWD=secreto"); });
    EXPECT_TRUE(driver.description().contains("NoSuchDriver")) << driver.what();
    EXPECT_FALSE(driver.description().contains("secreto"));
    EXPECT_EQ(driver.number(), ado::error::providerFailed);
}

TEST(ConnectionStringMask, EverySecretIsHiddenWhateverItsBracesHold) {
    const std::pair<const char*, const char*> casos[] = {
        {"Driver=FreeTDS;UID=ana;PWD=secreto", "Driver=FreeTDS;UID=ana;PWD=***"},
        {"PWD={ab;SECRETPART};Server=x", "PWD=***;Server=x"},
        {"pwd={a}}b;c}}};Database=d", "pwd=***;Database=d"},
        {"Uid=ana;Password={x;y};SSLPassword=z", "Uid=ana;Password=***;SSLPassword=***"},
        {"Pwd = {sec}}ret} ;Server={srv;1}", "Pwd =***;Server={srv;1}"},
        {"Driver={SQLite3};Database=/tmp/a.db", "Driver={SQLite3};Database=/tmp/a.db"},
        {"PASSWORD=abc", "PASSWORD=***"},
    };
    for (const auto& [cadena, esperada] : casos)
        EXPECT_EQ(ado::maskConnectionString(QString::fromLatin1(cadena)),
                  QString::fromLatin1(esperada))
            << cadena;
}

} // namespace
