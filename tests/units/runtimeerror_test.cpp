#include "runtimeerror.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace metrivo {
namespace {

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

}  // namespace
}  // namespace metrivo
