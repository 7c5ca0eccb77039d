#include "display/Form1Layout.h"

#include "display/Form1Logic.h"
#include "scores/Maker.h"

namespace kelvarn {

namespace {

constexpr Rgb rgbOf(std::uint32_t value) {
    return {std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value)};
}

WindowLayout makeForm1() {
    const std::string address = maker::HomePage;
    WindowLayout w;
    w.name = "Form1";
    w.caption = "Kelvarn";
    w.width = 6300;
    w.height = 5985;
    w.place.at = {2805, 1440};
    w.background = Rgb{0, 0, 0};
    w.textColour = Rgb{128, 128, 255};

    // The play field: 400 x 360 inside a sunken border of two pixels, its colour under its
    // picture.
    LayoutRow& board = w.add("MainBoard", ControlKind::Board, {120, 120, 6060, 5460});
    board.tooltip = "Mouse here!";
    board.picture = "MainBoard";
    board.textColour = Rgb{192, 0, 192};
    board.fillColour = rgbOf(BoardLayers::Colour);

    LayoutRow& home = w.add("Label1", ControlKind::Label, {120, 5640, 2775, 255});
    home.text = address;
    home.tooltip = "网址：" + address;
    home.font = {"Verdana", 10.5, true};
    home.textColour = Rgb{128, 255, 128};
    home.pointer = PointerShape::CrossHair;
    home.transparent = true;

    LayoutRow& studio = w.add("TXT", ControlKind::Label, {3360, 5640, 1395, 255});
    studio.text = maker::Studio;
    studio.tooltip = maker::Author;
    studio.textColour = Rgb{255, 255, 255};
    studio.transparent = true;

    LayoutRow& exit = w.add("picexit", ControlKind::Label, {5520, 5640, 555, 255});
    exit.text = "退出";
    exit.tooltip = "退出游戏";
    exit.font = {"宋体", 10.5, true};
    exit.textColour = ExitLabelColours::rest;
    exit.pointer = PointerShape::CrossHair;
    exit.transparent = true;

    // The address label's underline, one pixel high.
    LayoutRow& underline = w.add("Shape1", ControlKind::Shape, {120, 5880, 2655, 15});
    underline.fillColour = Rgb{255, 0, 0};
    underline.visible = false;
    return w;
}

} // namespace

const WindowLayout& form1Layout() {
    static const WindowLayout layout = makeForm1();
    return layout;
}

const FontSpec& boardTextFont() {
    static const FontSpec font{"宋体", 9, false};
    return font;
}

} // namespace kelvarn
