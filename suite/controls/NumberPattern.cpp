#include "NumberPattern.h"

namespace suite {

NumberPattern::NumberPattern(const QString& pattern) : m_text(pattern.trimmed()) {
    if (m_text.isEmpty())
        return;
    const int point = m_text.indexOf(QLatin1Char('.'));
    const QString integer = point < 0 ? m_text : m_text.left(point);
    const QString decimals = point < 0 ? QString() : m_text.mid(point + 1);
    m_grouping = integer.contains(QLatin1Char(','));
    m_minInteger = static_cast<int>(integer.count(QLatin1Char('0')));
    m_minDecimals = static_cast<int>(decimals.count(QLatin1Char('0')));
    m_maxDecimals = m_minDecimals + static_cast<int>(decimals.count(QLatin1Char('#')));
    m_code = point < 0 && !m_grouping && m_minInteger == m_text.size();
}

} // namespace suite
