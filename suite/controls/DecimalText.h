#pragma once

#include <QString>
#include <optional>

namespace suite {

class NumberPattern;

// Numbers kept as decimal text, never as a double: an odometer reading of nine integer digits
// and nine decimals must come back exactly as it was typed.
class DecimalText {
public:
    // The plain form of a number: optional "-", integer digits without leading zeros, and
    // decimals without trailing zeros after a "." ("0012.50" -> "12.5", "-0" -> "0").
    // Accepts thousands separators in the integer part, an exponent ("1e+09", as a Variant
    // double prints itself) and the half-typed forms of an edit ("", "-", "12.", ".5"; empty
    // gives "0"). Anything else is not a number: nullopt.
    static std::optional<QString> parse(const QString& text);
    // A plain number written in a pattern: rounded half away from zero to the pattern's
    // maximum of decimals, padded to its minimum of decimals and integer digits, grouped.
    static QString format(const QString& plain, const NumberPattern& pattern);
    // Whether text is a number that the numeric box may show while the user is still typing
    // it: digits, at most one ".", a "-" only in front.
    static bool isPartial(const QString& text);
};

} // namespace suite
