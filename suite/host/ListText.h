#pragma once

#include "platform/forms/ListContent.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace suite {

// The text a list shows for a database value: dates in the operators' format (dd/MM/yyyy, with
// HH:mm when the value carries a time), numbers as the database gives them, NULL as nothing.
class ListText {
public:
    static QString fromValue(const QVariant& value);
    // An ISO date text ("yyyy-MM-dd", "yyyy-MM-dd HH:mm[:ss[.zzz]]", also with 'T') rewritten
    // in the operators' format; false, and text untouched, for anything else.
    static bool rewriteIsoDate(QString& text);
    // A number as a list shows it: optional sign, digits, optional decimals. Codes with leading
    // zeros ("0001") are keys, not numbers.
    static bool isNumber(const QString& text);
    // dd/MM/yyyy, optionally followed by " HH:mm".
    static bool isDisplayDate(QStringView text);
    // A column whose date-times all fall at midnight holds dates (SQL Server keeps a date in a
    // date-time column): its cells lose the " 00:00".
    static void dropMidnights(forms::ListContent& rows, int columns);
};

} // namespace suite
