#include "errorreport.h"

#include <gtest/gtest.h>

#include "fakemessagebox.h"

#include <string>
#include <vector>

#include "guardedhandler.h"
#include "localeseparator.h"
#include "runtimeerror.h"

namespace metrivo {
namespace {

TEST(ErrorReportTest, MessageTextIsExact) {
    EXPECT_EQ(ErrorReport::MessageText("PushButton2_Click", "Overflow", 124, "help@example.org"),
              "Overflow\r\nin MetrivoProj2021/08/31.Form1.PushButton2_Click at line 124\r\r"
              "Please email screenshot of this message to help@example.org");
    EXPECT_EQ(ErrorReport::MessageText("Form_Load", "Type mismatch", 142, "a@b"),
              "Type mismatch\r\nin MetrivoProj2021/08/31.Form1.Form_Load at line 142\r\r"
              "Please email screenshot of this message to a@b");
}

TEST(ErrorReportTest, ShowsAWarningTitledApplicationError) {
    test::FakeMessageBox box;
    ErrorReport report(box, "x@y");
    report.ShowErrorReport("PushButton1_Click", "Subscript out of range", 100);
    ASSERT_EQ(box.titles.size(), 1u);
    EXPECT_EQ(box.titles[0], "Application Error");
    EXPECT_EQ(box.texts[0],
              ErrorReport::MessageText("PushButton1_Click", "Subscript out of range", 100, "x@y"));
    EXPECT_FALSE(ErrorReport::DefaultSupportAddress().empty());
}

TEST(RunTimeErrorTest, StandardNumbersAndDescriptions) {
    const std::vector<std::pair<RunTimeError::Number, std::string>> cases{
        {RunTimeError::kSubscriptOutOfRange, "Subscript out of range"},
        {RunTimeError::kOverflow, "Overflow"},
        {RunTimeError::kTypeMismatch, "Type mismatch"},
        {RunTimeError::kInvalidPropertyValue, "Invalid property value"},
        {RunTimeError::kInvalidPicture, "Invalid picture"},
    };
    for (const auto& [number, description] : cases) {
        const RunTimeError e(number);
        EXPECT_EQ(e.description(), description);
        EXPECT_EQ(e.number(), number);
    }
    EXPECT_EQ(RunTimeError(RunTimeError::kSubscriptOutOfRange).number(), 9);
    EXPECT_EQ(RunTimeError(RunTimeError::kInvalidPicture).number(), 481);
}

// A handler whose steps record their labels and fail where told.
struct Trace {
    std::vector<int> ran;
};

TEST(GuardedHandlerTest, FailureIsReportedAndGoesOnWhereTheTableSays) {
    test::FakeMessageBox box;
    ErrorReport report(box, "s@t");
    Trace trace;
    auto failing = [&trace](int label) {
        return [&trace, label] {
            trace.ran.push_back(label);
            throw RunTimeError(RunTimeError::kOverflow);
            return GuardedHandler::kNext;
        };
    };
    auto plain = [&trace](int label, int next = GuardedHandler::kNext) {
        return [&trace, label, next] {
            trace.ran.push_back(label);
            return next;
        };
    };
    const GuardedHandler handler("Demo", {{100, failing(100), 104},
                                          {102, plain(102)},
                                          {104, plain(104, 108)},
                                          {106, plain(106)},
                                          {108, failing(108), GuardedHandler::kEnd},
                                          {110, plain(110)}});
    handler.Run(report);
    EXPECT_EQ(trace.ran, (std::vector<int>{100, 104, 108}));
    ASSERT_EQ(box.texts.size(), 2u);
    EXPECT_NE(box.texts[0].find("Demo at line 100"), std::string::npos);
    EXPECT_NE(box.texts[1].find("Demo at line 108"), std::string::npos);
}

TEST(GuardedHandlerTest, OutOfMemoryIsReportedNotPropagated) {
    test::FakeMessageBox box;
    ErrorReport report(box, "s@t");
    const GuardedHandler handler("Demo", {{100, []() -> int { throw std::bad_alloc(); }}});
    EXPECT_NO_THROW(handler.Run(report));
    ASSERT_EQ(box.texts.size(), 1u);
    EXPECT_EQ(box.texts[0].rfind("Out of memory\r\n", 0), 0u);
}

struct LocaleCase {
    const char* name;
    const char* lcAll;
    const char* lcNumeric;
    const char* lang;
    const char* separator;
};

class LocaleSeparatorTest : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleSeparatorTest, FirstSetVariableDecides) {
    const LocaleCase& c = GetParam();
    EXPECT_EQ(LocaleSeparator::ForLocale(
                  LocaleSeparator::NumericLocaleName(c.lcAll, c.lcNumeric, c.lang)),
              c.separator);
}

INSTANTIATE_TEST_SUITE_P(
    Variables, LocaleSeparatorTest,
    ::testing::Values(
        LocaleCase{"none_set", nullptr, nullptr, nullptr, "."},
        LocaleCase{"all_empty", "", "", "", "."}, LocaleCase{"lang_c", nullptr, nullptr, "C", "."},
        LocaleCase{"lang_posix", nullptr, nullptr, "POSIX", "."},
        LocaleCase{"lang_english", nullptr, nullptr, "en_US.UTF-8", "."},
        LocaleCase{"lang_german", nullptr, nullptr, "de_DE.UTF-8", ","},
        LocaleCase{"numeric_before_lang", nullptr, "fr_FR.UTF-8@euro", "en_GB.UTF-8", ","},
        LocaleCase{"all_before_numeric", "en_US.UTF-8", "de_DE.UTF-8", "de_DE.UTF-8", "."},
        LocaleCase{"swiss_german_point", "", "de_CH.UTF-8", "de_DE", "."},
        LocaleCase{"unknown_locale", nullptr, nullptr, "xx_NOWHERE", "."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace metrivo
