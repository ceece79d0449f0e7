#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace metrivo {

// A run-time error condition: a number and its standard description. Every
// failure that a guarded handler reports is one of these.
class RunTimeError : public std::exception {
  public:
    enum Number : int32_t {
        kInvalidProcedureCall = 5,
        kOverflow = 6,
        kOutOfMemory = 7,
        kSubscriptOutOfRange = 9,
        kDivisionByZero = 11,
        kTypeMismatch = 13,
        kInvalidPropertyValue = 380,
        kInvalidPicture = 481,
    };

    explicit RunTimeError(Number number);

    int32_t number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

    static std::string StandardDescription(Number number);

  private:
    int32_t number_;
    std::string description_;
};

}  // namespace metrivo
