#include "shell/ui_font.h"

namespace shell {

QFont UiFont(int pixelSize, bool bold) {
    QFont font(QString::fromLatin1(kUiFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace shell
