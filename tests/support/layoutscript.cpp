// layoutscript OUTPUT
// Writes the window's layout table as shell variables for the tests that
// drive the real window: layout_NAME="LEFT TOP WIDTH HEIGHT", each control's
// place in the window in pixels, and layout_window for the window itself.
#include <fstream>
#include <iostream>

#include "formlayout.h"

int main(int argc, char** argv) {
    using metrivo::FormLayout;
    if (argc != 2) {
        std::cerr << "usage: layoutscript OUTPUT\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::trunc);
    out << "# The window's controls in window pixels, from its layout table:\n"
           "# layout_NAME=\"LEFT TOP WIDTH HEIGHT\". Written by layoutscript.\n";
    out << "layout_window=\"0 0 " << FormLayout::Twips(FormLayout::kWidth) << ' '
        << FormLayout::Twips(FormLayout::kHeight) << "\"\n";
    for (const FormLayout::Control& control : FormLayout::Controls()) {
        const FormLayout::Rect r = FormLayout::InWindow(control);
        out << "layout_" << control.name << "=\"" << r.left << ' ' << r.top << ' ' << r.width << ' '
            << r.height << "\"\n";
    }
    out.close();
    if (!out) {
        std::cerr << "layoutscript: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
