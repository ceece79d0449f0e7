#include "initext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "casename.h"

namespace metrivo {
namespace {

using test::NameOfCase;

struct ReadCase {
    const char* name;
    std::string text;
    const char* key;
    std::optional<std::string> value;  // in section "Metrivo"
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.name;
}

class IniTextReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniTextReadTest, FindsTheValue) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(IniText(c.text).Value("Metrivo", c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniTextReadTest,
    ::testing::Values(
        ReadCase{"plain", "[Metrivo]\nUnitType=3\n", "UnitType", "3"},
        ReadCase{"blanks around key and value", "[Metrivo]\n  UnitType \t=  3  \n", "UnitType",
                 "3"},
        ReadCase{"comment after the value", "[Metrivo]\nname=caf\xC3\xA9 ; 2 sugars\n", "name",
                 "caf\xC3\xA9"},
        ReadCase{"quoted value keeps blanks and semicolons",
                 "[Metrivo]\nk=\" a;b \\\" \\\\ c\" ; note\n", "k", " a;b \" \\ c"},
        ReadCase{"unclosed quote runs to the end", "[Metrivo]\nk=\"open\n", "k", "open"},
        ReadCase{"key with a blank", "[Metrivo]\nweird key=1\n", "weird key", "1"},
        ReadCase{"last of duplicates counts", "[Metrivo]\nk=1\nk=2\n", "k", "2"},
        ReadCase{"section given twice", "[Metrivo]\nk=1\n[Other]\nk=5\n[Metrivo]\nj=2\n", "k", "1"},
        ReadCase{"later appearance of a section", "[Metrivo]\nk=1\n[Other]\n[Metrivo]\nk=3\n", "k",
                 "3"},
        ReadCase{"other section only", "[Other]\nk=1\n", "k", std::nullopt},
        ReadCase{"before any header", "k=1\n[Metrivo]\n", "k", std::nullopt},
        ReadCase{"section names are case sensitive", "[metrivo]\nk=1\n", "k", std::nullopt},
        ReadCase{"Windows line ends", "[Metrivo]\r\nk=1\r\nj=2\r\n", "j", "2"},
        ReadCase{"old Mac line ends", "[Metrivo]\rk=1\rj=2\r", "j", "2"},
        ReadCase{"byte order mark", "\xEF\xBB\xBF[Metrivo]\nk=4\n", "k", "4"},
        ReadCase{"no line end at the end", "[Metrivo]\nk=5", "k", "5"},
        ReadCase{"text after the header", "[Metrivo] ; mine\nk=6\n", "k", "6"},
        ReadCase{"header without bracket", "[Metrivo\nk=7\n", "k", "7"},
        ReadCase{"empty value", "[Metrivo]\nk=\n", "k", ""},
        ReadCase{"value with an equals sign", "[Metrivo]\nk=a=b\n", "k", "a=b"},
        ReadCase{"comment lines are no entries", "[Metrivo]\n;k=1\n# k=2\n", "k", std::nullopt},
        ReadCase{"bytes that are no UTF-8", "[Metrivo]\nk=\xFF\xFE\n", "k", "\xFF\xFE"}),
    NameOfCase());

struct WriteCase {
    const char* name;
    std::string before;
    std::vector<IniText::Entry> entries;
    std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* out) {
    *out << c.name;
}

class IniTextWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniTextWriteTest, ChangesOnlyTheKeysWritten) {
    const WriteCase& c = GetParam();
    const std::string after = IniText(c.before).With("Metrivo", c.entries);
    EXPECT_EQ(after, c.after);
    // What was written reads back, and writing it again changes nothing.
    const IniText written(after);
    for (std::size_t i = 0; i < c.entries.size(); ++i) {
        const IniText::Entry& entry = c.entries[i];
        const bool overridden =
            std::any_of(c.entries.begin() + static_cast<std::ptrdiff_t>(i) + 1, c.entries.end(),
                        [&](const IniText::Entry& later) { return later.key == entry.key; });
        if (!overridden) {
            EXPECT_EQ(written.Value("Metrivo", entry.key), entry.value) << entry.key;
        }
    }
    EXPECT_EQ(written.With("Metrivo", c.entries), after);
}

const std::string kVendorFile =
    "; Orvandel tools\n"
    "[Paint]\n"
    "name=caf\xC3\xA9 ; 2 sugars\n"
    "weird key=1\n"
    "dup=1\n"
    "dup=2\n"
    "\n"
    "# the converter\n"
    "[Metrivo]\n"
    "UnitType = 2 ; length\n"
    "Other=x\n"
    "\n"
    "[Zoo]\n"
    "k=v\n";

INSTANTIATE_TEST_SUITE_P(
    Files, IniTextWriteTest,
    ::testing::Values(
        WriteCase{"empty file", "", {{"a", "1"}, {"b", "2"}}, "[Metrivo]\na=1\nb=2\n"},
        WriteCase{"vendor file keeps every other byte",
                  kVendorFile,
                  {{"UnitType", "4"}, {"LastFrom0", "3"}},
                  "; Orvandel tools\n"
                  "[Paint]\n"
                  "name=caf\xC3\xA9 ; 2 sugars\n"
                  "weird key=1\n"
                  "dup=1\n"
                  "dup=2\n"
                  "\n"
                  "# the converter\n"
                  "[Metrivo]\n"
                  "UnitType=4\n"
                  "Other=x\n"
                  "LastFrom0=3\n"
                  "\n"
                  "[Zoo]\n"
                  "k=v\n"},
        WriteCase{"every line of a duplicate key",
                  "[Metrivo]\nk=1\nj=0\nk=2\n",
                  {{"k", "3"}},
                  "[Metrivo]\nk=3\nj=0\nk=3\n"},
        WriteCase{"duplicates whose values grow and shrink",
                  "[Metrivo]\nk=1\nj=22\nk=333\n; j=0\nj=4\nk=5\n[Other]\nk=6\n",
                  {{"k", "22"}, {"j", "1"}, {"n", "7"}},
                  "[Metrivo]\nk=22\nj=1\nk=22\n; j=0\nj=1\nk=22\nn=7\n[Other]\nk=6\n"},
        WriteCase{"new keys after the last appearance",
                  "[Metrivo]\na=1\n[Other]\nb=2\n[Metrivo]\nc=3\n; end\n",
                  {{"d", "4"}, {"a", "5"}, {"e", "6"}},
                  "[Metrivo]\na=5\n[Other]\nb=2\n[Metrivo]\nc=3\nd=4\ne=6\n; end\n"},
        WriteCase{"section without entries",
                  "[Metrivo]\n; nothing yet\n[Other]\n",
                  {{"a", "1"}},
                  "[Metrivo]\na=1\n; nothing yet\n[Other]\n"},
        WriteCase{
            "no line end at the end", "[Metrivo]\nx=1", {{"a", "1"}}, "[Metrivo]\nx=1\na=1\n"},
        WriteCase{"new section after other text",
                  "; only a comment",
                  {{"a", "1"}},
                  "; only a comment\n\n[Metrivo]\na=1\n"},
        WriteCase{"new section after a blank line",
                  "[Other]\nb=2\n\n",
                  {{"a", "1"}},
                  "[Other]\nb=2\n\n[Metrivo]\na=1\n"},
        WriteCase{"Windows line ends",
                  "[Metrivo]\r\nx=1\r\n",
                  {{"x", "2"}, {"a", "1"}},
                  "[Metrivo]\r\nx=2\r\na=1\r\n"},
        WriteCase{"old Mac line ends",
                  "[Other]\rb=2\r",
                  {{"a", "1"}},
                  "[Other]\rb=2\r\r[Metrivo]\ra=1\r"},
        WriteCase{"byte order mark kept",
                  "\xEF\xBB\xBF[Metrivo]\nx=1\n",
                  {{"x", "2"}},
                  "\xEF\xBB\xBF[Metrivo]\nx=2\n"},
        WriteCase{"indented key keeps its indent",
                  "[Metrivo]\n  x = 1\n",
                  {{"x", "2"}},
                  "[Metrivo]\n  x=2\n"},
        WriteCase{"value that needs quotes",
                  "",
                  {{"k", " a;b \"c\" "}},
                  "[Metrivo]\nk=\" a;b \\\"c\\\" \"\n"},
        WriteCase{"key given twice in one write",
                  "",
                  {{"k", "1"}, {"j", "2"}, {"k", "3"}},
                  "[Metrivo]\nk=3\nj=2\n"},
        WriteCase{"the unload's keys in order",
                  "",
                  {{"LastFrom0", "0"}, {"LastTo0", "0"}, {"LastFrom1", "-1"}, {"UnitType", "5"}},
                  "[Metrivo]\nLastFrom0=0\nLastTo0=0\nLastFrom1=-1\nUnitType=5\n"}),
    NameOfCase());

// A file of one key given again and again, as a program writing it in a loop
// leaves it, with another key here and there. Its values have one to three
// digits, so the first write makes some lines longer and others shorter; the
// next ones all longer or all shorter.
std::string Duplicates(const std::function<std::string(int)>& value) {
    std::string text = "[Metrivo]\n";
    for (int n = 0; n < 100000; ++n) {
        text += "cboFromCurrency=" + value(n) + "\n";
        if (n % 7 == 0) text += "other=" + std::to_string(n) + "\n";
    }
    return text;
}

TEST(IniTextTest, AFileOfDuplicatesGetsTheValueOnEveryLine) {
    IniText text(Duplicates([](int n) { return std::to_string(n % 1000); }));
    for (const char* value : {"77", "7", "7777777", "777"}) {
        text.Set("Metrivo", {{"cboFromCurrency", value}});
        ASSERT_EQ(text.text(), Duplicates([&](int) { return std::string(value); })) << value;
    }
}

TEST(IniTextTest, ASectionOfMoreKeysThanAreIndexedIsReadWhole) {
    std::string text = "[Metrivo]\nfirst=1\n";
    for (int n = 0; n < 5000; ++n)
        text += "key" + std::to_string(n) + "=" + std::to_string(n) + "\n";
    text += "late=2\nfirst=3\n";
    const IniText ini(text);
    EXPECT_EQ(ini.Value("Metrivo", "first"), "3");
    EXPECT_EQ(ini.Value("Metrivo", "key4999"), "4999");
    EXPECT_EQ(ini.Value("Metrivo", "late"), "2");
    EXPECT_EQ(ini.Value("Metrivo", "absent"), std::nullopt);
}

TEST(IniTextTest, WhatCannotBeWrittenIsRefused) {
    const IniText text("[Metrivo]\nk=1\n");
    for (const IniText::Entry& bad : std::vector<IniText::Entry>{{"", "1"},
                                                                 {"a=b", "1"},
                                                                 {"a\nb", "1"},
                                                                 {" a", "1"},
                                                                 {"[a", "1"},
                                                                 {";a", "1"},
                                                                 {"#a", "1"},
                                                                 {"k", "a\nb"},
                                                                 {"k", "a\rb"},
                                                                 {"k", std::string("a\0b", 3)},
                                                                 {"k", "\xFF"}}) {
        EXPECT_THROW((void)text.With("Metrivo", {bad}), std::invalid_argument) << bad.key;
    }
    for (const char* section : {"", "a]b", " Metrivo", "a\nb"}) {
        EXPECT_THROW((void)text.With(section, {{"k", "2"}}), std::invalid_argument) << section;
    }
}

struct DamageCase {
    const char* name;
    std::string text;
    bool damaged;
    std::string written;  // when damaged: the text after k is set to 9
};

void PrintTo(const DamageCase& c, std::ostream* out) {
    *out << c.name;
}

class IniTextDamageTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(IniTextDamageTest, DamagedLinesAreFoundAndKeptByAWrite) {
    const DamageCase& c = GetParam();
    const IniText text(c.text);
    EXPECT_EQ(text.Damaged(), c.damaged);
    if (c.damaged) {
        EXPECT_EQ(text.With("Metrivo", {{"k", "9"}}), c.written);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniTextDamageTest,
    ::testing::Values(
        DamageCase{"empty", "", false, ""},
        DamageCase{"plain", "[Metrivo]\nUnitType=3\n", false, ""},
        DamageCase{"comments of both kinds", "; one\n# two\n[Metrivo]\nk=1\n", false, ""},
        DamageCase{"byte order mark", "\xEF\xBB\xBF[Metrivo]\nk=1\n", false, ""},
        DamageCase{"UTF-8 beyond ASCII",
                   "[Metrivo]\nName=gr\xC3\xBC\xC3\x9F"
                   "e\n",
                   false, ""},
        DamageCase{"key with a blank", "[Metrivo]\nweird key=1\n", false, ""},
        DamageCase{"line without equals sign", "[Metrivo]\nUnitType\nk=1\n", true,
                   "[Metrivo]\nUnitType\nk=9\n"},
        DamageCase{"header without bracket", "[Metrivo\nk=1\n", true, "[Metrivo\nk=9\n"},
        DamageCase{"NUL byte", std::string("[Metrivo]\nj=3\0\nk=1\n", 19), true,
                   std::string("[Metrivo]\nj=3\0\nk=9\n", 19)},
        DamageCase{"invalid byte", "[Metrivo]\nj=\xFF\nk=1\r\n", true,
                   "[Metrivo]\nj=\xFF\nk=9\r\n"},
        DamageCase{"cut sequence", "[Metrivo]\nj=\xC3\n", true, "[Metrivo]\nj=\xC3\nk=9\n"},
        DamageCase{"cut at the end", "[Metrivo]\nj=3\xE2\x82", true,
                   "[Metrivo]\nj=3\xE2\x82\nk=9\n"},
        DamageCase{"encoded surrogate", "[Metrivo]\nj=\xED\xA0\x80\n", true,
                   "[Metrivo]\nj=\xED\xA0\x80\nk=9\n"},
        DamageCase{"overlong form", "[Metrivo]\nj=\xC0\xAF\n", true,
                   "[Metrivo]\nj=\xC0\xAF\nk=9\n"},
        DamageCase{"mark inside the text", "junk\n\xEF\xBB\xBF[Met=1\n[Metrivo]\nk=1\n", true,
                   "junk\n\xEF\xBB\xBF[Met=1\n[Metrivo]\nk=9\n"},
        DamageCase{"another program's file",
                   "export A=1\nif [ -f ~/.aliases ]; then\n. ~/.aliases\nfi\n", true,
                   "export A=1\nif [ -f ~/.aliases ]; then\n. ~/.aliases\nfi\n\n[Metrivo]\nk=9\n"}),
    NameOfCase());

TEST(IniTextTest, Utf8Validation) {
    EXPECT_TRUE(IniText::IsUtf8(""));
    EXPECT_TRUE(IniText::IsUtf8("plain ASCII text that is longer than eight bytes"));
    EXPECT_TRUE(IniText::IsUtf8("\xF4\x8F\xBF\xBF"));                     // U+10FFFF
    EXPECT_FALSE(IniText::IsUtf8("\xF4\x90\x80\x80"));                    // past U+10FFFF
    EXPECT_FALSE(IniText::IsUtf8("\xE0\x80\xAF"));                        // overlong
    EXPECT_FALSE(IniText::IsUtf8("12345678\x80"));                        // after a fast block
    EXPECT_FALSE(IniText::IsUtf8("\xF0\x9F\x98"));                        // cut
    EXPECT_TRUE(IniText::IsUtf8("\xF0\x9F\x98\x80 and then more text"));  // an emoji
}

}  // namespace
}  // namespace metrivo
