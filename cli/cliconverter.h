#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "cliconversionview.h"
#include "converthandler.h"
#include "errorreport.h"
#include "streammessagebox.h"
#include "unitcatalogue.h"
#include "windowstate.h"

namespace metrivo {

// One "Start Converting" press per call, run by the window's own handler over
// the command line's view; its error reports go to `errors`.
class CliConverter {
  public:
    CliConverter(const UnitCatalogue& catalogue, std::ostream& errors, std::string separator);
    CliConverter(const CliConverter&) = delete;
    CliConverter& operator=(const CliConverter&) = delete;

    // Converts with `category` selected; returns the results text, which is
    // empty when a step failed.
    const std::string& Convert(int16_t category, std::string_view amount, std::string_view from,
                               std::string_view to);

    // Put before every line of the following reports.
    void SetReportPrefix(std::string prefix) { box_.SetPrefix(std::move(prefix)); }
    int reportCount() const { return box_.reportCount(); }
    const WindowState& state() const { return state_; }

  private:
    WindowState state_;
    CliConversionView view_;
    StreamMessageBox box_;
    ErrorReport report_;
    ConvertHandler handler_;
};

}  // namespace metrivo
