#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace metrivo {

// The skin component of the main window, addressed the late-bound way: by
// member number, with loosely typed values. A member that does not exist or
// a value of the wrong kind raises a RunTimeError.
class SkinFramework {
  public:
    // A native window handle, as the window system numbers its windows.
    enum class WindowHandle : std::uintptr_t {};

    using Value = std::variant<std::monostate, bool, int32_t, WindowHandle, std::string>;

    // The members the program uses.
    static constexpr int32_t kOptions = 1;        // property: int32_t option flags
    static constexpr int32_t kLoadSkin = 2;       // method: (path, "")
    static constexpr int32_t kApplySkin = 3;      // method: (native window handle)
    static constexpr int32_t kFirstSwitch = 5;    // property: bool
    static constexpr int32_t kSecondSwitch = 10;  // property: bool

    // The option flag the program switches on.
    static constexpr int32_t kOptionFlag1 = 1;

    virtual ~SkinFramework() = default;

    virtual Value Invoke(int32_t member, const std::vector<Value>& arguments) = 0;
    virtual Value Get(int32_t member) = 0;
    virtual void Put(int32_t member, const Value& value) = 0;
};

}  // namespace metrivo
