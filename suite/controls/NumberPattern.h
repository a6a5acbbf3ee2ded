#pragma once

#include <QString>

namespace suite {

// A text box's format pattern in the suite's notation: "0000" for a four-digit code,
// "#,##0.000000000#####" for an amount with thousands separators and nine to fourteen decimals.
// A "0" is a digit always written, a "#" one written only when needed, a "," anywhere in the
// integer part asks for thousands separators.
class NumberPattern {
public:
    NumberPattern() = default;
    explicit NumberPattern(const QString& pattern);

    bool isEmpty() const { return m_text.isEmpty(); }
    const QString& text() const { return m_text; }
    // A code pattern is zeros only: it pads a numeric code and says nothing about amounts.
    bool isCode() const { return m_code; }
    bool grouping() const { return m_grouping; }
    int minIntegerDigits() const { return m_minInteger; }
    int minDecimals() const { return m_minDecimals; }
    int maxDecimals() const { return m_maxDecimals; }

private:
    QString m_text;
    bool m_code = false;
    bool m_grouping = false;
    int m_minInteger = 1;
    int m_minDecimals = 0;
    int m_maxDecimals = 0;
};

} // namespace suite
