#pragma once

#include "platform/forms/ListContent.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace suite {

// The text a list shows for a database value: dates in the operators' format (dd/MM/yyyy, with
// HH:mm when the value carries a time), numbers as the database gives them (a binary fraction with
// at most kMaxDecimals decimals), NULL as nothing.
class ListText {
public:
    // The suite's columns keep at most nine decimals (odometer readings): digits past those in a
    // binary fraction are noise of its binary form, not data.
    static constexpr int kMaxDecimals = 9;

    static QString fromValue(const QVariant& value);
    // An ISO date text ("yyyy-MM-dd", "yyyy-MM-dd HH:mm[:ss[.zzz]]", also with 'T') rewritten
    // in the operators' format; false, and text untouched, for anything else.
    static bool rewriteIsoDate(QString& text);
    // A number as a list shows it: optional sign, digits, optional decimals. Codes with leading
    // zeros ("0001") are keys, not numbers.
    static bool isNumber(QStringView text);
    // dd/MM/yyyy, optionally followed by " HH:mm".
    static bool isDisplayDate(QStringView text);
    // A column whose date-times all fall at midnight holds dates (SQL Server keeps a date in a
    // date-time column): its cells lose the " 00:00".
    static void dropMidnights(forms::ListContent& rows, int columns);
    // A column of numbers shows them all with the decimals of the one that has the most, so that
    // 34.16 stands over 39.90 and not over 39.9; whole numbers among them get a point too.
    static void alignDecimals(forms::ListContent& rows, int columns);
};

} // namespace suite
