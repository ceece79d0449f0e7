#pragma once

#include <gtest/gtest.h>

#include <string_view>

namespace metrivo::test {

// Whether `call` throws an `Exception` whose what() is `message`; when not,
// what it did instead.
template <typename Exception, typename Call>
::testing::AssertionResult ThrowsWithMessage(Call&& call, const char* statement,
                                             std::string_view message) {
    try {
        call();
    } catch (const Exception& error) {
        if (std::string_view(error.what()) == message) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << statement << " throws \"" << error.what() << "\", expected \"" << message << '"';
    } catch (...) {
        return ::testing::AssertionFailure() << statement << " throws an exception of another type";
    }
    return ::testing::AssertionFailure()
           << statement << " throws nothing, expected \"" << message << '"';
}

}  // namespace metrivo::test

// EXPECT_THROW_MSG(statement, exception, message): the statement throws that
// type of exception with that message, as in fmt's tests. A run-time error's
// message is its standard description:
//   EXPECT_THROW_MSG(SettingValue::ToInt16("abc"), RunTimeError, "Type mismatch");
#define EXPECT_THROW_MSG(statement, exception_type, expected_message)                              \
    switch (0)                                                                                     \
    case 0:                                                                                        \
    default:                                                                                       \
        if (const ::testing::AssertionResult metrivo_thrown =                                      \
                ::metrivo::test::ThrowsWithMessage<exception_type>([&] { statement; }, #statement, \
                                                                   expected_message)) {            \
        } else                                                                                     \
            ADD_FAILURE() << metrivo_thrown.message()
