// Inputs the fuzzers found, kept as cases of the normal suite.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include <QFile>
#include <QTemporaryDir>

#include "numbertext.h"
#include "runtimeerror.h"
#include "skinengine.h"

namespace metrivo {
namespace {

// The 15-digit text of the largest 64-bit floats rounds up past the range,
// so reading it back is "Overflow", as for any text beyond the range; the
// values just below keep their text through a round trip.
TEST(FuzzRegression, FifteenDigitTextOfTheLargestDoublesReadsAsOverflow) {
    struct Case {
        double value;
        const char* text;
        bool readsBack;
    };
    const Case cases[] = {
        {DBL_MAX, "1.79769313486232E+308", false},
        {-DBL_MAX, "-1.79769313486232E+308", false},
        {1.79769313486231e308, "1.79769313486231E+308", true},
        {-1.79769313486231e308, "-1.79769313486231E+308", true},
    };
    for (const Case& c : cases) {
        for (const char* separator : {".", ","}) {
            std::string text = c.text;
            if (std::string(separator) == ",") text[text.find('.')] = ',';
            SCOPED_TRACE(text);
            EXPECT_EQ(NumberText::Write15(c.value, separator), text);
            if (c.readsBack) {
                EXPECT_EQ(NumberText::Write15(NumberText::ReadNumber(text, separator), separator),
                          text);
            } else {
                try {
                    NumberText::ReadNumber(text, separator);
                    ADD_FAILURE() << "read back without an error";
                } catch (const RunTimeError& error) {
                    EXPECT_EQ(error.number(), RunTimeError::kOverflow);
                }
            }
        }
    }
}

// At 7 digits the largest 32-bit floats round down, so their text reads back
// inside the 32-bit range and writes the same text again.
TEST(FuzzRegression, SevenDigitTextOfTheLargestFloatsReadsBack) {
    for (float value : {FLT_MAX, -FLT_MAX, std::nextafter(FLT_MAX, 0.0f)}) {
        const std::string text = NumberText::Write7(value, ",");
        SCOPED_TRACE(text);
        const double back = NumberText::ReadNumber(text, ",");
        ASSERT_LE(std::fabs(back), FLT_MAX);
        EXPECT_EQ(NumberText::Write7(static_cast<float>(back), ","), text);
    }
}

// A skin file whose last UTF-8 sequence is cut off is no UTF-8 text, however
// short; the decoder used to keep the cut bytes back as if more were coming.
TEST(FuzzRegression, SkinFileEndingInACutSequenceIsNotUsed) {
    QTemporaryDir folder;
    const QString path = folder.filePath("o.cjs");
    struct Case {
        const char* name;
        QByteArray content;
        bool used;
    };
    const Case cases[] = {
        {"the input the fuzzer found", "Q\xE6", false},
        {"cut after the lead byte of two", "QWidget { color: red; }\xC3", false},
        {"cut in a sequence of three", "QWidget { color: red; }\xE2\x82", false},
        {"cut in a sequence of four", "QWidget { color: red; }\xF0\x9F\x98", false},
        {"a whole sequence in a comment", "QWidget { color: red; } /* \xE2\x82\xAC */", true},
        {"one letter", "Q", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.content);
        file.close();
        EXPECT_EQ(SkinEngine::ReadSkin(path.toStdString()).has_value(), c.used);
    }
}

}  // namespace
}  // namespace metrivo
