#include "DecimalDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace mx {

namespace {

void dropTrailingZeros(DecimalDigits& d)
{
    while (d.count > 0 && d.digits[std::size_t(d.count - 1)] == '0')
        --d.count;
    if (d.count == 0)
        d.exponent = 0;
}

} // namespace

DecimalDigits DecimalDigits::fromValue(CalcValue v, int significant)
{
    DecimalDigits d;
    if (v == 0 || !std::isfinite(v))
        return d;
    d.negative = std::signbit(v);
    significant = std::clamp(significant, 1, kSignificant);
    // "d.ddddddddddddddddde+XXXX": `significant` digits, locale independent.
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific,
                      significant - 1);
    const char* p = buf;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9' && d.count < significant)
            d.digits[std::size_t(d.count++)] = *p;
    // The output is not NUL-terminated: read the exponent within its bounds.
    int exp10 = 0;
    if (p < res.ptr) {
        const char* e = p + 1;
        if (e < res.ptr && *e == '+')
            ++e;
        std::from_chars(e, res.ptr, exp10);
    }
    d.exponent = exp10 + 1;
    dropTrailingZeros(d);
    return d;
}

DecimalDigits DecimalDigits::roundedTo(int keep) const
{
    DecimalDigits r;
    r.negative = negative;
    if (isZero() || keep < 0)
        return r;
    if (keep >= count)
        return *this;
    r = *this;
    r.count = keep;
    if (digits[std::size_t(keep)] >= '5') {
        int i = keep - 1;
        while (i >= 0 && r.digits[std::size_t(i)] == '9') {
            r.digits[std::size_t(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++r.digits[std::size_t(i)];
        } else {
            // All nines: the carry gives a single 1 one place higher.
            r.digits[0] = '1';
            r.count = 1;
            ++r.exponent;
        }
    }
    dropTrailingZeros(r);
    return r;
}

} // namespace mx
