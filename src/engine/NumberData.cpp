#include "NumberData.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace mx {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The decimal exponent of the first significant digit of a data number already checked,
// to tell a value too small for a double (read as 0) from one too large.
long long leadingExponent(const char* b, const char* e)
{
    const char* point = std::find(b, e, '.');
    const char* exp = std::find_if(b, e, [](char c) { return c == 'e' || c == 'E'; });
    if (point > exp)
        point = exp;
    long long written = 0;
    if (exp != e) {
        std::from_chars_result r = std::from_chars(exp + 1 + (exp[1] == '+'), e, written);
        if (r.ec != std::errc())
            written = exp[1] == '-' ? -(1LL << 40) : (1LL << 40);
    }
    const char* first = std::find_if(b, exp, [](char c) { return c >= '1' && c <= '9'; });
    if (first == exp)
        return 0;
    const long long place = first < point ? point - first - 1 : point - first;
    return place + written;
}

} // namespace

DataRead readNumberData(const char* b, const char* e, double& value)
{
    // [-] digits [. digits] [(e|E) [+|-] digits], with at least one digit in the mantissa.
    const char* p = b;
    if (p != e && *p == '-')
        ++p;
    int digits = 0;
    while (p != e && isDigit(*p))
        ++p, ++digits;
    if (p != e && *p == '.')
        for (++p; p != e && isDigit(*p); ++p)
            ++digits;
    if (digits == 0)
        return DataRead::NotData;
    if (p != e && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != e && (*p == '+' || *p == '-'))
            ++p;
        if (p == e || !isDigit(*p))
            return DataRead::NotData;
        while (p != e && isDigit(*p))
            ++p;
    }
    if (p != e)
        return DataRead::NotData;
    const std::from_chars_result r = std::from_chars(b, e, value);
    if (r.ec == std::errc::result_out_of_range) {
        if (leadingExponent(b, e) > 0)
            return DataRead::OutOfRange;
        value = *b == '-' ? -0.0 : 0.0; // below the smallest double: 0, as typed numbers
        return DataRead::Ok;
    }
    return r.ec == std::errc() && r.ptr == e && std::isfinite(value) ? DataRead::Ok
                                                                      : DataRead::NotData;
}

DataRead readNumberData(QStringView text, double& value)
{
    char buffer[64];
    const QStringView t = text.trimmed();
    if (t.size() > qsizetype(sizeof buffer))
        return DataRead::NotData; // no number of the data form is this long
    for (qsizetype i = 0; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c > 0x7F)
            return DataRead::NotData;
        buffer[i] = char(c);
    }
    return readNumberData(buffer, buffer + t.size(), value);
}

QByteArray numberDataText(double value)
{
    char buffer[64];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, int(r.ptr - buffer));
}

} // namespace mx
