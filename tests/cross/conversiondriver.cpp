// A small driver of the conversion core, standard C++ only, built for
// another architecture or other compiler settings and compared with the
// native build:
//   conversiondriver table     writes the conversion table: every pair of
//                              units of every category, many amounts, both
//                              separators ("CATEGORY<TAB>AMOUNT<TAB>FROM<TAB>TO<TAB>SEP")
//   conversiondriver factors   writes every catalogue row with its factor's bits
//   conversiondriver           converts table lines from standard input, one
//                              "TEXT<TAB>FAILURE" line each; CATEGORY may also
//                              be a category's name and SEP be missing (".")
#include <bit>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "unitcatalogue.h"
#include "unitconversion.h"

namespace {

using metrivo::UnitCatalogue;
using metrivo::UnitConversion;

std::vector<std::string> Amounts() {
    std::vector<std::string> amounts{"0",
                                     "-0",
                                     "1",
                                     "1.00",
                                     "-1",
                                     "2.5",
                                     "-40",
                                     "100",
                                     "98.6",
                                     "212",
                                     "-273.15",
                                     "-273.16",
                                     "230.4",
                                     "200.4",
                                     "-73.1",
                                     "-100.0",
                                     "359.9",
                                     "-58.5",
                                     "-218.4",
                                     "0.1",
                                     "0.2",
                                     "0.3",
                                     "1E39",
                                     "-1E39",
                                     "3.4028235E+38",
                                     "3.4028234663852886E+38",
                                     "1e308",
                                     "1.5E308",
                                     "1.7976931348623157E+308",
                                     "1e309",
                                     "1e-310",
                                     "-1e-320",
                                     "4.9406564584124654e-324",
                                     "2.2250738585072011e-308",
                                     "1e-45",
                                     "12345678",
                                     "0.00001",
                                     "&HFFFF",
                                     "&O777",
                                     "1 000",
                                     "1,5",
                                     "abc",
                                     "",
                                     "9.99999949999999e14",
                                     "123456789012345678901234567890"};
    // Decimals of several magnitudes, from a fixed sequence.
    uint32_t state = 12345;
    for (int i = 0; i < 120; ++i) {
        state = state * 1103515245u + 12345u;
        const int mantissa = static_cast<int>((state >> 8) % 2000001) - 1000000;
        const int scale = static_cast<int>((state >> 4) % 9);
        std::string text = std::to_string(mantissa);
        const bool negative = mantissa < 0;
        std::string digits = negative ? text.substr(1) : text;
        while (static_cast<int>(digits.size()) <= scale) digits.insert(0, "0");
        digits.insert(digits.size() - static_cast<std::size_t>(scale), ".");
        if (i % 5 == 0) digits += "e" + std::to_string(static_cast<int>(state % 61) - 30);
        amounts.push_back((negative ? "-" : "") + digits);
    }
    return amounts;
}

int WriteTable(const UnitCatalogue& catalogue) {
    const std::vector<std::string> amounts = Amounts();
    for (int category = 0; category < UnitCatalogue::kCategoryCount; ++category) {
        for (const metrivo::UnitRecord& from : catalogue.rows()) {
            if (from.category != category) continue;
            for (const metrivo::UnitRecord& to : catalogue.rows()) {
                if (to.category != category) continue;
                for (const std::string& amount : amounts) {
                    for (const char* separator : {".", ","}) {
                        std::cout << category << '\t' << amount << '\t' << from.name << '\t'
                                  << to.name << '\t' << separator << '\n';
                    }
                }
            }
        }
    }
    return std::cout ? 0 : 1;
}

int WriteFactors(const UnitCatalogue& catalogue) {
    for (int row = 0; row <= catalogue.UpperBound(); ++row) {
        const metrivo::UnitRecord& r = catalogue.Row(row);
        std::cout << row << '\t' << r.category << '\t' << r.name << '\t'
                  << std::bit_cast<uint32_t>(r.factor) << '\n';
    }
    return std::cout ? 0 : 1;
}

int Convert(const UnitCatalogue& catalogue) {
    std::string line;
    UnitConversion::Outcome outcome;
    while (std::getline(std::cin, line)) {
        std::vector<std::string_view> fields;
        std::string_view rest = line;
        for (std::size_t tab; (tab = rest.find('\t')) != std::string_view::npos;) {
            fields.push_back(rest.substr(0, tab));
            rest.remove_prefix(tab + 1);
        }
        fields.push_back(rest);
        if (fields.size() == 4) fields.push_back(".");
        if (fields.size() != 5) {
            std::cerr << "bad table line: " << line << '\n';
            return 2;
        }
        int category = fields[0].size() == 1 ? fields[0][0] - '0' : -1;
        for (int c = 0; c < UnitCatalogue::kCategoryCount; ++c) {
            if (metrivo::UnitTable::CategoryName(c) == fields[0]) category = c;
        }
        UnitConversion::Convert(
            catalogue,
            {.selUnitType = category, .amount = fields[1], .from = fields[2], .to = fields[3]},
            fields[4], outcome);
        std::cout << outcome.text << '\t' << static_cast<int>(outcome.failure) << '\n';
    }
    return std::cout ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    UnitCatalogue catalogue;
    catalogue.LoadUnits();
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode == "table") return WriteTable(catalogue);
    if (mode == "factors") return WriteFactors(catalogue);
    return Convert(catalogue);
}
