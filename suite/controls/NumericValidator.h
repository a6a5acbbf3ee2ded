#pragma once

#include <QValidator>

namespace suite {

// What a numeric box lets the user type or paste: digits, one decimal point and a leading minus.
// A pasted amount with thousands separators ("1,234.50") comes in as its plain number.
class NumericValidator : public QValidator {
public:
    explicit NumericValidator(QObject* parent = nullptr);

    // Longest plain number accepted; 0 is no limit.
    void setMaxLength(int maxLength) { m_maxLength = maxLength; }
    // Most decimals accepted, as many as the box shows; -1 is no limit.
    void setMaxDecimals(int maxDecimals) { m_maxDecimals = maxDecimals; }
    State validate(QString& input, int& pos) const override;

private:
    int m_maxLength = 0;
    int m_maxDecimals = -1;
};

} // namespace suite
