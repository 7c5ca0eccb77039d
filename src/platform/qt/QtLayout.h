// Qt widgets from the toolkit-free window tables: a window's caption, inner size, place and font,
// and each control of a layout row at its place (96 dots per inch, 15 twips to a pixel; Qt scales
// for denser screens itself), with its text, font, colours, pointer, tooltip and visibility.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>
#include <map>
#include <string>

#include "platform/WindowLayout.h"

namespace kelvarn {

inline QString qtText(const std::string& utf8) {
    return QString::fromStdString(utf8);
}
inline QColor qtColour(Rgb c) {
    return QColor(c.r, c.g, c.b);
}
inline QRect qtRect(TwipsRect place) {
    const PixelRect p = toPixels(place);
    return {p.x, p.y, p.width, p.height};
}
inline QSize innerSize(const WindowLayout& layout) {
    return {twipsToPixels(layout.width), twipsToPixels(layout.height)};
}
QFont qtFont(const FontSpec& font);
Qt::CursorShape qtCursor(PointerShape pointer);
// The resource path of a picture named by its stem: ":/pictures/<stem>.png".
QString picturePath(const std::string& stem);

// The window's name, caption, fixed inner size and default font.
void setUpWindow(QWidget& window, const WindowLayout& layout);
// Places the window's inner area (not its frame) where the layout says: at its point, or at the
// centre of the primary screen.
void placeWindow(QWidget& window, const WindowLayout& layout);

// Gives an existing widget what its row says of every control: name, place, font, text colour,
// pointer, tooltip and visibility.
void applyRow(QWidget& widget, const LayoutRow& row);
// A label's, button's or frame's text.
void setRowText(QWidget& widget, const QString& text);
// Sets the widget's text colour while it is active and inactive.
void setTextColour(QWidget& widget, QColor colour);

// Builds the control of one row inside `parent`: a plain-text label, a push button, a captioned
// frame, a picture (with its sunken border for a picture box) or a shape. The board is the main
// window's own and is not built here.
QWidget* buildRow(QWidget& parent, const LayoutRow& row);

// Builds every row of the layout into `window` (rows held by a frame into that frame) and returns
// them by name.
std::map<std::string, QWidget*> buildRows(QWidget& window, const WindowLayout& layout);

} // namespace kelvarn
