#include "NumberParser.h"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace mx {

namespace {

// Rough decimal order of magnitude of mantissa x 10^exponent, enough to tell a number too
// large for the type from one too small.
long long decimalMagnitude(const std::string& mantissa, const std::string& exponent,
                           bool exponentNegative)
{
    const auto point = mantissa.find('.');
    const std::string intPart = mantissa.substr(0, point);
    const auto firstInt = intPart.find_first_not_of('0');
    long long magnitude = 0;
    if (firstInt != std::string::npos) {
        magnitude = (long long)(intPart.size() - firstInt);
    } else if (point != std::string::npos) {
        const auto firstFrac = mantissa.find_first_not_of('0', point + 1);
        magnitude = -(long long)(firstFrac - point - 1);
    }
    long long exp10 = 0;
    for (char ch : exponent) {
        exp10 = exp10 * 10 + (ch - '0');
        if (exp10 > 1000000000LL)
            break;
    }
    return magnitude + (exponentNegative ? -exp10 : exp10);
}

} // namespace

ParsedNumber parseNumber(const QString& text, QChar decimalSeparator)
{
    std::string mantissa;
    std::string exponent;
    bool negative = false;
    bool pointSeen = false;
    bool inExponent = false;
    bool exponentNegative = false;
    bool exponentSignAllowed = false;
    mantissa.reserve(32);

    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9') {
            (inExponent ? exponent : mantissa).push_back(char(u));
            exponentSignAllowed = false;
        } else if (c == decimalSeparator && !inExponent) {
            if (!pointSeen) {
                mantissa.push_back('.');
                pointSeen = true;
            }
        } else if ((u == u'E' || u == u'e') && !inExponent) {
            inExponent = true;
            exponentSignAllowed = true;
        } else if (u == u'-' && exponentSignAllowed) {
            exponentNegative = true;
            exponentSignAllowed = false;
        } else if (u == u'+' && exponentSignAllowed) {
            exponentSignAllowed = false;
        } else if (u == u'-') {
            negative = true;
        }
    }

    ParsedNumber result;
    bool anyDigit = false;
    for (char ch : mantissa)
        anyDigit = anyDigit || ch != '.';
    if (!anyDigit)
        return result;

    std::string number = mantissa;
    if (!exponent.empty()) {
        // Leading zeros of the exponent carry no meaning and would only lengthen the text.
        const auto first = exponent.find_first_not_of('0');
        number += exponentNegative ? "e-" : "e";
        number += first == std::string::npos ? std::string("0") : exponent.substr(first);
    }

    CalcValue v = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), v,
                                     std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small reads as 0; too large is flagged for the callers that can type it.
        if (decimalMagnitude(mantissa, exponent, exponentNegative) > 0) {
            result.overflow = true;
            v = std::numeric_limits<CalcValue>::infinity();
        } else {
            v = 0;
        }
    }
    result.value = negative ? -v : v;
    return result;
}

} // namespace mx
