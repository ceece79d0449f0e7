// manunittables TEMPLATE OUTPUT
// Writes metrivo-convert's manual page from its template, with the unit
// tables and the unit count taken from the unit table itself, so the page
// and the program cannot differ. Everything is written in groff's escapes,
// never raw UTF-8, so the page reads right in every locale.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "unitdefinition.h"
#include "unittable.h"

namespace {

using metrivo::UnitDefinition;
using metrivo::UnitTable;

struct Glyph {
    std::string_view utf8;
    std::string_view groff;
};
constexpr Glyph kGlyphs[] = {
    {"\u00b5", "\\(mc"},  // micro sign
    {"\u00b0", "\\(de"},  // degree sign
    {"\u00b2", "\\(S2"},  // superscript two
    {"\u00b3", "\\(S3"},  // superscript three
    {"\u00e9", "\\('e"},  // e with acute accent
};

// Text for a roff line: groff's escapes for the characters above and for a
// backslash and a minus; any other byte outside ASCII is refused.
bool Roff(std::string_view text, std::string& out) {
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            bool known = false;
            for (const Glyph& g : kGlyphs) {
                if (text.substr(i).starts_with(g.utf8)) {
                    out += g.groff;
                    i += g.utf8.size();
                    known = true;
                    break;
                }
            }
            if (!known) return false;
            continue;
        }
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out.push_back(c);
        }
        ++i;
    }
    return true;
}

// "a|b|c" as "a, b, c".
bool RoffList(std::string_view list, std::string& out) {
    bool ok = true;
    bool first = true;
    UnitDefinition::ForEach(list, [&](std::string_view entry) {
        if (!first) out += ", ";
        first = false;
        ok = Roff(entry, out) && ok;
    });
    return ok;
}

bool Tables(std::string& out) {
    bool ok = true;
    int shown = -1;
    for (const UnitDefinition& unit : UnitTable::Rows()) {
        if (unit.category != shown) {
            if (shown >= 0) out += ".TE\n";
            shown = unit.category;
            out += ".PP\n.I ";
            out += UnitTable::CategoryName(shown);
            out += "\n.TS\nl l lx.\n";
        }
        ok = Roff(unit.name, out) && ok;
        out += '\t';
        ok = RoffList(unit.symbols, out) && ok;
        out += "\tT{\n";
        ok = RoffList(unit.aliases, out) && ok;
        out += "\nT}\n";
    }
    if (shown >= 0) out += ".TE\n";
    return ok;
}

void Replace(std::string& text, std::string_view marker, std::string_view with) {
    for (std::size_t at; (at = text.find(marker)) != std::string::npos;) {
        text.replace(at, marker.size(), with);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: manunittables TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::stringstream page;
    page << in.rdbuf();
    if (!in) {
        std::cerr << "manunittables: cannot read " << argv[1] << '\n';
        return 1;
    }
    std::string text = page.str();
    std::string tables;
    if (!Tables(tables)) {
        std::cerr << "manunittables: a unit's text has a character without a groff escape\n";
        return 1;
    }
    Replace(text, "@UNIT_TABLES@\n", tables);
    Replace(text, "@UNIT_COUNT@", std::to_string(UnitTable::Rows().size()));
    const std::string temporary = std::string(argv[2]) + ".new";
    std::ofstream out(temporary, std::ios::trunc);
    out << text;
    out.close();
    if (!out || std::rename(temporary.c_str(), argv[2]) != 0) {
        std::cerr << "manunittables: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
