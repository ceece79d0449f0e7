#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "conversionview.h"
#include "unitcatalogue.h"

namespace metrivo {

// The window as the command line gives it: the amount and the two unit names
// are texts from the arguments, a list index is the unit's position in its
// category's list (-1 when the category lacks the name), and there is no
// pointer to change.
class CliConversionView : public ConversionView {
  public:
    explicit CliConversionView(const UnitCatalogue& catalogue) : catalogue_(catalogue) {}

    // The texts of one press in `category`; empties the results.
    void SetInput(int16_t category, std::string_view amount, std::string_view from,
                  std::string_view to);
    const std::string& ResultText() const { return result_; }

    void SetMousePointer(MousePointer) override {}
    std::string AmountText() const override { return amount_; }
    std::string FromUnitText() const override { return from_; }
    std::string ToUnitText() const override { return to_; }
    int16_t FromListIndex() const override;
    int16_t ToListIndex() const override;
    void SetResultText(const std::string& text) override { result_ = text; }

  private:
    const UnitCatalogue& catalogue_;
    int16_t category_ = 0;
    std::string amount_;
    std::string from_;
    std::string to_;
    std::string result_;
};

}  // namespace metrivo
