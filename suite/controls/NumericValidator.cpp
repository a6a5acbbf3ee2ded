#include "NumericValidator.h"

#include "DecimalText.h"

namespace suite {

NumericValidator::NumericValidator(QObject* parent) : QValidator(parent) {}

QValidator::State NumericValidator::validate(QString& input, int& pos) const {
    if (input.contains(QLatin1Char(','))) {
        const std::optional<QString> plain = DecimalText::parse(input);
        if (!plain)
            return Invalid;
        input = *plain;
        pos = static_cast<int>(input.size());
    }
    if (!DecimalText::isPartial(input))
        return Invalid;
    if (m_maxLength > 0 && input.size() > m_maxLength)
        return Invalid;
    const qsizetype point = input.indexOf(QLatin1Char('.'));
    if (m_maxDecimals >= 0 && point >= 0 && input.size() - point - 1 > m_maxDecimals)
        return Invalid;
    return Acceptable;
}

} // namespace suite
