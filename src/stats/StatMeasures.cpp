#include "StatMeasures.h"

#include <cmath>

namespace mx {

StatMeasures computeMeasures(std::span<const double> sample)
{
    StatMeasures m;
    if (sample.empty())
        return m;
    m.n = (long long)sample.size();
    m.min = m.max = sample.front();
    for (const double x : sample) {
        m.sum += x;
        if (x < m.min)
            m.min = x;
        if (x > m.max)
            m.max = x;
    }
    m.range = m.max - m.min;
    m.centre = m.range * 0.5L + m.min;
    m.mean = m.sum / CalcValue(m.n);
    CalcValue squares = 0;
    for (const double x : sample) {
        CalcValue d = m.mean - x;
        if (std::fabs(d) < 1e-20L)
            d = 0;
        squares += d * d;
    }
    m.variance = squares / CalcValue(m.n);
    m.deviation = std::sqrt(m.variance);
    m.estimateS = m.n == 1 ? 0 : std::sqrt(squares / CalcValue(m.n - 1));
    return m;
}

} // namespace mx
