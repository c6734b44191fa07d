#pragma once
// JPEG pictures decoded with libjpeg itself. A missing, corrupt or truncated picture gives an empty
// image and never stops the program: libjpeg's fatal errors are caught, and its warnings (a truncated
// file only warns) count as failure too.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace shell {

// The decoded picture (RGB888), or a null image.
QImage DecodeJpeg(const QByteArray& bytes);
// Reads `path` (a file or a ":/" resource) and decodes it; a null image when it cannot be read.
QImage LoadJpegFile(const QString& path);

} // namespace shell
