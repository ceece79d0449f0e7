#pragma once

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "readablename.h"
#include "unittable.h"

namespace metrivo::test {

// One line of the shared file of conversions and their exact results.
struct GoldenConversion {
    int category = 0;
    std::string amount;
    std::string from;
    std::string to;
    std::string result;
    std::string name;  // for the test list: "L12_Weight_2Dot5_pound_kilogram"
};

// Every conversion of the file, in its order.
inline std::vector<GoldenConversion> GoldenConversions() {
    std::ifstream in(METRIVO_GOLDEN_CONVERSIONS);
    if (!in) throw std::runtime_error("cannot read " METRIVO_GOLDEN_CONVERSIONS);
    std::vector<GoldenConversion> out;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        if (fields.size() != 5) throw std::runtime_error("bad line " + std::to_string(number));
        GoldenConversion c;
        c.category = -1;
        for (int i = 0; i < UnitTable::kCategoryCount; ++i) {
            if (UnitTable::CategoryName(i) == fields[0]) c.category = i;
        }
        c.amount = fields[1];
        c.from = fields[2];
        c.to = fields[3];
        c.result = fields[4];
        c.name = "L" + std::to_string(number) + "_" + fields[0] + "_" + ReadableName(c.amount) +
                 "_" + ReadableName(c.from) + "_" + ReadableName(c.to);
        out.push_back(std::move(c));
    }
    return out;
}

}  // namespace metrivo::test
