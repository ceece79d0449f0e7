#include "runtimeerror.h"

namespace metrivo {

RunTimeError::RunTimeError(Number number)
    : number_(number), description_(StandardDescription(number)) {}

std::string RunTimeError::StandardDescription(Number number) {
    switch (number) {
        case kInvalidProcedureCall:
            return "Invalid procedure call or argument";
        case kOverflow:
            return "Overflow";
        case kOutOfMemory:
            return "Out of memory";
        case kSubscriptOutOfRange:
            return "Subscript out of range";
        case kDivisionByZero:
            return "Division by zero";
        case kTypeMismatch:
            return "Type mismatch";
        case kInvalidPropertyValue:
            return "Invalid property value";
        case kInvalidPicture:
            return "Invalid picture";
    }
    return "Application-defined or object-defined error";
}

}  // namespace metrivo
