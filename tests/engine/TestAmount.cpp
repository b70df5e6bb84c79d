#include "UAmount.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace {

struct ReadCase
{
    const char* text;
    std::optional<double> amount; // nullopt: invalid
};

const ReadCase ReadCases[] = {
    {"12", 12},
    {"5000.125", 5000.13},
    {"3500.004", 3500},
    {"2.675", 2.67}, // the Double nearest 2.675 lies below it
    {"-0.125", -0.13},
    {"0.005", 0.01},
    {"-0.004", 0},
    {"  8000 ", 8000},
    {"\t8000\t", 8000},
    {"+8000", 8000},
    {"-100", -100},
    {".5", 0.5},
    {"5.", 5},
    {"1e3", 1000},
    {"1E+3", 1000},
    {"1.5e-2", 0.01}, // 0.015 is stored just below the half
    {"1e-400", 0},
    {"1e308", 1e308},
    {"1.7976931348623157e308", std::numeric_limits<double>::max()},
    {"0000012.345", 12.35},
    {"100000000000000000000.00", 1e20}, // too long for the quick path
    {"1234567890123456789012", 1234567890123456789012.0},
    {"", std::nullopt},
    {"   ", std::nullopt},
    {"1e400", std::nullopt},
    {"1e99999999999999999999", std::nullopt},
    {"1.8e308", std::nullopt},
    {"1,000", std::nullopt},
    {"1.2.3", std::nullopt},
    {"0x10", std::nullopt},
    {"inf", std::nullopt},
    {"nan", std::nullopt},
    {"-", std::nullopt},
    {".", std::nullopt},
    {"+-5", std::nullopt},
    {"5 5", std::nullopt},
    {"1e", std::nullopt},
    {"1e+", std::nullopt},
    {"e5", std::nullopt},
    {"12元", std::nullopt},
    {"１２", std::nullopt}, // full-width digits
};

} // namespace

TEST(AmountEntryRule, ReadsOneDecimalNumberRoundedToCents)
{
    for (const auto& c : ReadCases) {
        const auto amount = Amount::Read(c.text);
        EXPECT_EQ(amount, c.amount) << '"' << c.text << '"';
        if (amount) {
            EXPECT_FALSE(std::signbit(*amount) && *amount == 0) << c.text;
        }
    }
}

// Plain amounts in cents take a shorter way; "e0" forces the whole rule on the
// same number, and both must agree.
TEST(AmountEntryRule, PlainCentAmountsReadAsTheFullRuleReadsThem)
{
    const char* texts[] = {"0",
                           "-0",
                           "+0.00",
                           "0.29",
                           "-0.07",
                           "2.67",
                           "5.",
                           ".5",
                           "  8000",
                           "4734.25",
                           "1224.09",
                           "0.1",
                           "99.99",
                           "-100",
                           "007.10",
                           "123456789012345",
                           "1234567890123.45",
                           "999999999999.99"};
    for (const char* t : texts) {
        const auto plain = Amount::Read(t);
        ASSERT_TRUE(plain) << t;
        EXPECT_EQ(plain, Amount::Read(std::string(t) + "e0")) << t;
        EXPECT_FALSE(std::signbit(*plain) && *plain == 0) << t;
    }
    for (long long cents = -20000; cents <= 20000000; cents += 997) {
        const std::string t = std::to_string(cents / 100) + "." +
                              std::to_string(std::llabs(cents % 100) / 10) +
                              std::to_string(std::llabs(cents % 100) % 10);
        ASSERT_EQ(Amount::Read(t), Amount::Read(t + "e0")) << t;
    }
}

TEST(AmountEntryRule, UsesTheGivenDecimalSeparator)
{
    EXPECT_EQ(Amount::Read("5000,125", ","), 5000.13);
    EXPECT_EQ(Amount::Read("5000.125", ","), std::nullopt);
    EXPECT_EQ(Amount::Read("1,5e2", ","), 150);
    EXPECT_EQ(Amount::Read("1٫5", "٫"), 1.5); // a separator of more than one byte
}

TEST(AmountEntryRule, BlankMeansCodesUpTo32Only)
{
    EXPECT_TRUE(Amount::IsBlank(""));
    EXPECT_TRUE(Amount::IsBlank(" \t\r\n"));
    EXPECT_FALSE(Amount::IsBlank(" 0 "));
    EXPECT_FALSE(Amount::IsBlank("\u3000")); // ideographic space
}

struct FormatCase
{
    double amount;
    const char* text;
};

TEST(AmountDisplayRule, GeneralFormatWith15SignificantDigits)
{
    const FormatCase cases[] = {
        {245, "245"},
        {245.00000000000003, "245"},
        {6755.5, "6755.5"},
        {10.160000000000082, "10.1600000000001"},
        {0.30480000000000246, "0.304800000000002"},
        {1916.6666666666667, "1916.66666666667"},
        {0, "0"},
        {-0.0, "0"},
        {-500, "-500"},
        {-0.13, "-0.13"},
        {1e20, "1E20"},
        {1.5e-5, "1.5E-5"},
        {-1.5e-5, "-1.5E-5"},
        {1e15, "1E15"},
        {999999999999999, "999999999999999"},
        {999999999999999.9, "1E15"},
        {123456789012345.6, "123456789012346"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {0.0000999, "9.99E-5"},
        {1.7976931348623157e308, "1.79769313486232E308"},
        {100, "100"},
        {1e14, "100000000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Amount::Format(c.amount), c.text) << c.amount;
    EXPECT_EQ(Amount::Format(6755.5, ","), "6755,5");
    EXPECT_EQ(Amount::Format(1.5e-5, ","), "1,5E-5");
}

// The digits against the C library's own rounding to 15 significant digits, over
// amounts near the cent and Doubles of every magnitude.
TEST(AmountDisplayRule, FifteenDigitsAsPrintfRoundsThem)
{
    const auto digits = [](double x) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.14e", std::fabs(x));
        std::string d;
        for (const char* p = buf; *p != 'e'; ++p)
            if (*p != '.')
                d += *p;
        d.erase(d.find_last_not_of('0') + 1);
        return d.empty() ? std::string("0") : d;
    };
    const auto shown = [](double x) {
        std::string d;
        for (char c : Amount::Format(x)) {
            if (c == 'E')
                break;
            if (c >= '0' && c <= '9')
                d += c;
        }
        d.erase(0, d.find_first_not_of('0'));
        d.erase(d.find_last_not_of('0') + 1);
        return d;
    };
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        const double cents = static_cast<double>(random() % 100000000000) / 100;
        for (double x : {cents, cents * 0.1 - 105, cents / 12, cents * 0.45 - 13505}) {
            if (x != 0) {
                ASSERT_EQ(shown(x), digits(x)) << std::hexfloat << x;
            }
        }
        double bits;
        const std::uint64_t pattern = random();
        std::memcpy(&bits, &pattern, sizeof bits);
        if (std::isfinite(bits) && bits != 0) {
            ASSERT_EQ(shown(bits), digits(bits)) << std::hexfloat << bits;
        }
    }
    // Rounding up through nines moves the exponent.
    EXPECT_EQ(Amount::Format(999999999999999.9), "1E15");
    EXPECT_EQ(Amount::Format(9.9999999999999991), "10");
    EXPECT_EQ(Amount::Format(0.099999999999999992), "0.1");
}

TEST(AmountDisplayRule, RateAsPercentage)
{
    const FormatCase cases[] = {
        {0.03, "3%"},  {0.10, "10%"}, {0.20, "20%"}, {0.25, "25%"},
        {0.30, "30%"}, {0.35, "35%"}, {0.45, "45%"}, {0, "0%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Amount::FormatRate(c.amount), c.text) << c.amount;
}

TEST(AmountDisplayRule, FixedTwoDecimals)
{
    const FormatCase cases[] = {
        {1916.6666666666667, "1916.67"},
        {2000, "2000.00"},
        {1500.0008333333333, "1500.00"},
        {0, "0.00"},
        {-0.0, "0.00"},
        {-0.001, "0.00"},
        {0.005, "0.01"},
        {-0.125, "-0.13"},
        {2.675, "2.67"},
        {9.995, "9.99"}, // the Double lies below the half
        {9.999, "10.00"},
        {999999.996, "1000000.00"},
        {1e20, "100000000000000000000.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Amount::FormatFixed2(c.amount), c.text) << c.amount;
    // 0.015 is stored as 0.01499999999999999944...; its 18 significant digits
    // 0.0149999999999999994 round down.
    EXPECT_EQ(Amount::FormatFixed2(0.015), "0.01");
    EXPECT_EQ(Amount::FormatFixed2(1916.6666666666667, ","), "1916,67");
}

// Reading back what the display shows gives the amount again.
TEST(AmountDisplayRule, ShownCentAmountsReadBack)
{
    for (double cents = -100000; cents <= 100000; cents += 7.3) {
        const auto amount = Amount::Read(Amount::FormatFixed2(std::round(cents) / 100));
        ASSERT_TRUE(amount);
        EXPECT_EQ(Amount::Read(Amount::Format(*amount)), amount);
    }
}
