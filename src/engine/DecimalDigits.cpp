#include "DecimalDigits.h"

#include <charconv>
#include <cmath>

namespace mx {

namespace {

void dropTrailingZeros(DecimalDigits& d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
}

} // namespace

DecimalDigits DecimalDigits::fromValue(CalcValue v)
{
    DecimalDigits d;
    if (v == 0 || !std::isfinite(v))
        return d;
    d.negative = std::signbit(v);
    // "d.ddddddddddddddddde+XXXX": 18 significant digits, locale independent.
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific,
                      kSignificant - 1);
    const char* p = buf;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
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

DecimalDigits DecimalDigits::roundedTo(int count) const
{
    DecimalDigits r;
    r.negative = negative;
    if (isZero() || count < 0)
        return r;
    if (count >= int(digits.size())) {
        r = *this;
        return r;
    }
    r.exponent = exponent;
    r.digits = digits.substr(0, count);
    if (digits[count] >= '5') {
        int i = count - 1;
        while (i >= 0 && r.digits[i] == '9') {
            r.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++r.digits[i];
        } else {
            r.digits.insert(r.digits.begin(), '1');
            ++r.exponent;
        }
    }
    dropTrailingZeros(r);
    return r;
}

} // namespace mx
