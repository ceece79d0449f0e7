// The batch line parser of metrivo-convert on arbitrary bytes: every line
// gives a result text or a message, never an exception or a crash.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <streambuf>
#include <string_view>

#include "batchrunner.h"
#include "unitcatalogue.h"

namespace {

class NullBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char_type*, std::streamsize n) override { return n; }
};

const metrivo::UnitCatalogue& Catalogue() {
    static const metrivo::UnitCatalogue catalogue = [] {
        metrivo::UnitCatalogue c;
        c.LoadUnits();
        return c;
    }();
    return catalogue;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static NullBuffer discard;
    static std::ostream errors(&discard);
    metrivo::BatchRunner runner(Catalogue(), errors, (data[0] & 1) != 0 ? "," : ".");
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    uint64_t number = 0;
    while (true) {
        const auto end = rest.find('\n');
        (void)runner.ConvertLine(++number, rest.substr(0, end));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return 0;
}
