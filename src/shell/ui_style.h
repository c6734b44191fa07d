#pragma once
// Colours of the calculation window (its layout is given in pixels at 96 dpi; fonts: shell/ui_font.h).

#include <QColor>

namespace uistyle {

inline const QColor kNavy{0, 0, 128};
inline const QColor kBlue{0, 0, 255};
inline const QColor kRed{255, 0, 0};
inline const QColor kBlack{0, 0, 0};
inline const QColor kDarkBlue{0, 0, 160};
inline const QColor kLightCyan{210, 255, 255};

} // namespace uistyle
