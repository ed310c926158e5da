#include "engine/NumberData.h"

#include <QString>

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <limits>

namespace mx {
namespace {

TEST(NumberDataTest, ShortestTextReadsBackToTheSameDouble)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {0.1, "0.1"},
        {-2.5, "-2.5"},
        {1.0 / 3, "0.3333333333333333"},
        {1234567, "1234567"},
        {1e100, "1e+100"},
        {-2.5e-300, "-2.5e-300"},
        {DBL_MAX, "1.7976931348623157e+308"},
        {DBL_MIN, "2.2250738585072014e-308"},
        {std::numeric_limits<double>::denorm_min(), "5e-324"},
        {0.1 + 0.2, "0.30000000000000004"},
    };
    for (const auto& c : cases) {
        const QByteArray text = numberDataText(c.value);
        EXPECT_EQ(text, c.text);
        double back = -1;
        ASSERT_EQ(readNumberData(text.constBegin(), text.constEnd(), back), DataRead::Ok) << c.text;
        EXPECT_EQ(std::memcmp(&back, &c.value, sizeof back), 0) << c.text;
    }
}

TEST(NumberDataTest, ReadsTheDataFormOnly)
{
    const struct {
        const char* text;
        DataRead status;
        double value;
    } cases[] = {
        {" 12.5 ", DataRead::Ok, 12.5}, {"-7", DataRead::Ok, -7},       {"5.", DataRead::Ok, 5},
        {".5", DataRead::Ok, 0.5},      {"2E3", DataRead::Ok, 2000},    {"1e-400", DataRead::Ok, 0},
        {"0.0000e-5000", DataRead::Ok, 0},
        {"1e400", DataRead::OutOfRange, 0}, {"123456789e301", DataRead::OutOfRange, 0},
        {"1,5", DataRead::NotData, 0},  {"1 234", DataRead::NotData, 0}, {"+1", DataRead::NotData, 0},
        {"inf", DataRead::NotData, 0},  {"nan", DataRead::NotData, 0},   {"", DataRead::NotData, 0},
        {"-", DataRead::NotData, 0},    {".", DataRead::NotData, 0},     {"1e", DataRead::NotData, 0},
        {"(5)", DataRead::NotData, 0},  {"1.2.3", DataRead::NotData, 0}, {"١", DataRead::NotData, 0},
    };
    for (const auto& c : cases) {
        double value = 0;
        EXPECT_EQ(readNumberData(QString::fromUtf8(c.text), value), c.status) << c.text;
        if (c.status == DataRead::Ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

} // namespace
} // namespace mx
