// SPDX-License-Identifier: MIT
// The number format of floating-point values, on its own and under the user's locale.
#include <gtest/gtest.h>

#include "tests/support/Skips.h"

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "tiff/FloatText.h"

namespace vantrel {
namespace {

struct TFloatCase {
    double Value;
    const char* Point; // with "." as separator
    const char* Comma; // with ","
};

// clang-format off
const TFloatCase kFloats[] = {
    {0.0, "0", "0"},
    {-0.0, "0", "0"},
    {1.0, "1", "1"},
    {100.0, "100", "100"},
    {-2.5, "-2.5", "-2,5"},
    {0.1, "0.1", "0,1"},
    {double(0.1f), "0.100000001490116", "0,100000001490116"},
    {1.0 / 3.0, "0.333333333333333", "0,333333333333333"},
    {2.0 / 3.0, "0.666666666666667", "0,666666666666667"},
    {0.00001, "0.00001", "0,00001"},
    {0.0000123, "0.0000123", "0,0000123"},
    {0.0000099, "9.9E-6", "9,9E-6"},
    {1e-10, "1E-10", "1E-10"},
    {-1.5e-10, "-1.5E-10", "-1,5E-10"},
    {123456789012345.0, "123456789012345", "123456789012345"},
    {999999999999999.0, "999999999999999", "999999999999999"},
    {1e15, "1E15", "1E15"},
    {1234567890123456.0, "1.23456789012346E15", "1,23456789012346E15"},
    {1e20, "1E20", "1E20"},
    {12345.678, "12345.678", "12345,678"},
    {std::numeric_limits<double>::max(), "1.79769313486232E308", "1,79769313486232E308"},
    {std::numeric_limits<double>::infinity(), "INF", "INF"},
    {-std::numeric_limits<double>::infinity(), "-INF", "-INF"},
    {std::nan(""), "NAN", "NAN"},
};
// clang-format on

TEST(FloatText, GeneralFormatWithEitherSeparator) {
    for (const TFloatCase& c : kFloats) {
        SCOPED_TRACE(c.Point);
        EXPECT_EQ(FormatFloatGeneral(c.Value, "."), c.Point);
        EXPECT_EQ(FormatFloatGeneral(c.Value, ","), c.Comma);
    }
}

// Switches LC_NUMERIC for one test and restores it afterwards.
class TNumericLocale {
public:
    explicit TNumericLocale(const char* name)
        : FSaved(std::setlocale(LC_NUMERIC, nullptr)),
          FActive(std::setlocale(LC_NUMERIC, name) != nullptr) {}
    ~TNumericLocale() { std::setlocale(LC_NUMERIC, FSaved.c_str()); }
    bool Active() const { return FActive; }

private:
    std::string FSaved;
    bool FActive;
};

TEST(FloatText, TakesTheSeparatorFromTheNumericLocale) {
    VANTREL_SKIP_ON_WINDOWS(
        "the decimal separator comes from the user's regional settings there, not from setlocale");
    {
        TNumericLocale c("C");
        EXPECT_EQ(LocaleDecimalSeparator(), ".");
        EXPECT_EQ(FormatFloatGeneral(double(0.1f)), "0.100000001490116");
    }
    {
        TNumericLocale ru("ru_RU.UTF-8");
        ASSERT_TRUE(ru.Active()) << "the Russian locale is missing (package locales-all)";
        EXPECT_EQ(LocaleDecimalSeparator(), ",");
        EXPECT_EQ(FormatFloatGeneral(double(0.1f)), "0,100000001490116");
        EXPECT_EQ(FormatFloatGeneral(1.5e-10), "1,5E-10");
    }
}

} // namespace
} // namespace vantrel
