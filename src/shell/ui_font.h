#pragma once
// The program's typeface. The windows were laid out for "MS Sans Serif", which Linux lacks; Liberation
// Sans stands in at the same pixel heights, so texts keep the room the layouts give them whatever the
// screen's DPI.

#include <QFont>

namespace shell {

inline constexpr const char* kUiFontFamily = "Liberation Sans";

QFont UiFont(int pixelSize, bool bold = false);

} // namespace shell
