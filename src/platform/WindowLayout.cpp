#include "platform/WindowLayout.h"

#include <stdexcept>

namespace kelvarn {

const FontSpec& programFont() {
    static const FontSpec font{"宋体", 9, false};
    return font;
}

LayoutRow& WindowLayout::add(std::string control, ControlKind kind, TwipsRect where) {
    LayoutRow& r = rows.emplace_back();
    r.name = std::move(control);
    r.kind = kind;
    r.place = where;
    return r;
}

const LayoutRow& WindowLayout::row(std::string_view control) const {
    for (const LayoutRow& r : rows) {
        if (r.name == control) {
            return r;
        }
    }
    throw std::out_of_range(name + " has no control " + std::string(control));
}

std::vector<const LayoutRow*> WindowLayout::rowsIn(std::string_view frame) const {
    std::vector<const LayoutRow*> held;
    for (const LayoutRow& r : rows) {
        if (r.parent == frame) {
            held.push_back(&r);
        }
    }
    return held;
}

} // namespace kelvarn
