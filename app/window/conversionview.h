#pragma once

#include <cstdint>
#include <string>

#include "mousepointer.h"

namespace metrivo {

// What "Start Converting" needs of the window: the pointer, the amount and
// the two unit lists' texts and indexes, and the results box.
class ConversionView {
  public:
    virtual ~ConversionView() = default;

    virtual void SetMousePointer(MousePointer pointer) = 0;
    virtual std::string AmountText() const = 0;
    virtual std::string FromUnitText() const = 0;
    virtual std::string ToUnitText() const = 0;
    // -1 when the list has no selection.
    virtual int16_t FromListIndex() const = 0;
    virtual int16_t ToListIndex() const = 0;
    virtual void SetResultText(const std::string& text) = 0;
};

}  // namespace metrivo
