#include "formlayout.h"

#include <algorithm>
#include <array>

namespace metrivo {
namespace {

using Kind = FormLayout::Kind;
using Control = FormLayout::Control;

constexpr std::array<Control, 17> kControls{{
    {"Frame5", Kind::kFrame, "", "Amount to convert", -1, 120, 1230, 1920, 810, 16,
     "The amount to convert"},
    {"Text1", Kind::kTextBox, "Frame5", "1.00", -1, 240, 300, 1425, 345, 2,
     "The amount to convert, in the unit chosen under From"},
    {"Frame4", Kind::kFrame, "", "To", -1, 120, 2100, 7800, 810, 15, "The unit to convert into"},
    {"cboToCurrency", Kind::kList, "Frame4", "", -1, 240, 300, 7305, 345, 1,
     "The unit to convert into"},
    {"Frame3", Kind::kFrame, "", "From", -1, 2160, 1215, 5760, 810, 14, "The unit to convert from"},
    {"cboFromCurrency", Kind::kList, "Frame3", "", -1, 240, 300, 5265, 345, 0,
     "The unit of the amount"},
    {"Frame1", Kind::kFrame, "", "Conversion Categories", -1, 120, 120, 7800, 1040, 13,
     "The kind of quantity to convert"},
    {"optUnits_3", Kind::kOption, "Frame1", " Volume", 3, 240, 650, 975, 255, 9, "Convert volumes"},
    {"optUnits_4", Kind::kOption, "Frame1", " Weight", 4, 2280, 650, 1095, 255, 10,
     "Convert weights"},
    {"optUnits_5", Kind::kOption, "Frame1", "Area", 5, 4560, 650, 1215, 255, 12, "Convert areas"},
    {"optUnits_0", Kind::kOption, "Frame1", "Length", 0, 240, 300, 1095, 255, 6,
     "Convert lengths and distances"},
    {"optUnits_1", Kind::kOption, "Frame1", "Temperature", 1, 2280, 300, 1455, 255, 7,
     "Convert temperatures"},
    {"optUnits_2", Kind::kOption, "Frame1", "Speed", 2, 4560, 300, 855, 255, 8, "Convert speeds"},
    {"Frame2", Kind::kFrame, "", "Results", -1, 120, 3510, 7800, 1350, 11,
     "The result of the conversion"},
    {"Text2", Kind::kTextBox, "Frame2", "", -1, 240, 300, 7305, 375, 4, "The converted amount"},
    {"PushButton1", Kind::kPushButton, "Frame2", "Copy Results To Clipboard", -1, 240, 780, 7305,
     405, 5, "Copies the converted amount to the clipboard"},
    {"PushButton2", Kind::kPushButton, "", "Start Converting", -1, 120, 3015, 7800, 405, 3,
     "Converts the amount from the From unit into the To unit"},
}};

}  // namespace

std::span<const Control> FormLayout::Controls() {
    return kControls;
}

const Control* FormLayout::Find(std::string_view name) {
    const auto it = std::find_if(kControls.begin(), kControls.end(),
                                 [name](const Control& c) { return c.name == name; });
    return it == kControls.end() ? nullptr : &*it;
}

FormLayout::Rect FormLayout::InContainer(const Control& control) {
    return {Twips(control.left), Twips(control.top), Twips(control.width), Twips(control.height)};
}

FormLayout::Rect FormLayout::InWindow(const Control& control) {
    Rect rect = InContainer(control);
    if (const Control* container = Find(control.container)) {
        const Rect outer = InWindow(*container);
        rect.left += outer.left;
        rect.top += outer.top;
    }
    return rect;
}

}  // namespace metrivo
