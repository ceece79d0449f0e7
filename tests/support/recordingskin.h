#pragma once

#include <optional>
#include <string>
#include <vector>

#include "runtimeerror.h"
#include "skinframework.h"

namespace metrivo::test {

// Records every access as one line, keeps the option flags and refuses the
// member it is told to.
class RecordingSkin : public SkinFramework {
  public:
    Value Invoke(int32_t member, const std::vector<Value>& arguments) override {
        std::string line = "call " + std::to_string(member) + "(";
        for (const Value& argument : arguments)
            line += (line.back() == '(' ? "" : ", ") + Text(argument);
        Record(member, line + ")");
        return true;
    }
    Value Get(int32_t member) override {
        Record(member, "get " + std::to_string(member));
        return member == kOptions ? options : Value{};
    }
    void Put(int32_t member, const Value& value) override {
        Record(member, "put " + std::to_string(member) + " = " + Text(value));
        if (member == kOptions) options = value;
    }

    Value options = int32_t{0};
    std::optional<int32_t> refused;
    std::vector<std::string> accesses;

  private:
    static std::string Text(const Value& value) {
        if (const auto* b = std::get_if<bool>(&value)) return *b ? "true" : "false";
        if (const auto* n = std::get_if<int32_t>(&value)) return std::to_string(*n);
        if (const auto* s = std::get_if<std::string>(&value)) return '"' + *s + '"';
        if (const auto* h = std::get_if<WindowHandle>(&value)) {
            return "handle " + std::to_string(static_cast<std::uintptr_t>(*h));
        }
        return "nothing";
    }
    void Record(int32_t member, std::string line) {
        accesses.push_back(std::move(line));
        if (refused == member) throw RunTimeError(RunTimeError::kInvalidProcedureCall);
    }
};

}  // namespace metrivo::test
