#include "platform/ado/DateValue.h"
#include "platform/com/RuntimeError.h"
#include "tests/support/Checks.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(int y, int m, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, mi, s, ms));
}

TEST(DateValue, ReadsTheDatabaseFormsOfADate) {
    const struct {
        QVariant value;
        QDateTime expected;
    } cases[] = {
        {QVariant(at(2024, 3, 5, 10, 20, 30)), at(2024, 3, 5, 10, 20, 30)},
        {QVariant(QDate(2024, 2, 29)), at(2024, 2, 29)},
        {QVariant("2024-03-05"), at(2024, 3, 5)},
        {QVariant("2024-03-05 10:20:30"), at(2024, 3, 5, 10, 20, 30)},
        {QVariant("2024-03-05 10:20:30.250"), at(2024, 3, 5, 10, 20, 30, 250)},
        {QVariant("2024-03-05 10:20:30.5"), at(2024, 3, 5, 10, 20, 30, 500)},
        {QVariant("2024-03-05T23:59:59"), at(2024, 3, 5, 23, 59, 59)},
        {QVariant("20240305"), at(2024, 3, 5)},
        {QVariant(QString()), at(1900, 1, 1)},
        {QVariant(""), at(1900, 1, 1)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ado::toDateTime(c.value), c.expected) << qPrintable(c.value.toString());
}

TEST(DateValue, AnythingElseIsATypeMismatch) {
    for (const QVariant& value : {
             QVariant("05/03/2024"),
             QVariant("2024-02-30"),
             QVariant("2024-03-05 25:00:00"),
             QVariant(" 2024-03-05"),
             QVariant("mañana"),
             QVariant(45000),
             QVariant(),
             QVariant(QMetaType(QMetaType::QString)),
         }) {
        const com::RuntimeError e = ktest::errorOf([&] { ado::toDateTime(value); });
        EXPECT_EQ(e.number(), 13) << "read as a date: " << qPrintable(value.toString());
        EXPECT_EQ(e.description(), "Type mismatch");
    }
}

} // namespace
