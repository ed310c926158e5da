#include "FormulaRecall.h"

namespace mx {

void FormulaRecall::remember(const QString& formula)
{
    m_at = -1;
    m_typing.clear();
    const QString f = formula.trimmed();
    if (f.isEmpty() || (!m_formulas.isEmpty() && m_formulas.back() == f))
        return;
    if (m_formulas.size() == kMaxFormulas)
        m_formulas.removeFirst();
    m_formulas.append(f);
}

std::optional<QString> FormulaRecall::older(const QString& typing)
{
    if (m_at == 0 || m_formulas.isEmpty())
        return std::nullopt;
    if (m_at < 0) {
        m_typing = typing;
        m_at = m_formulas.size();
    }
    return m_formulas.at(--m_at);
}

std::optional<QString> FormulaRecall::newer()
{
    if (m_at < 0)
        return std::nullopt;
    if (++m_at < m_formulas.size())
        return m_formulas.at(m_at);
    m_at = -1;
    return std::exchange(m_typing, QString());
}

} // namespace mx
