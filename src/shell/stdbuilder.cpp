#include "shell/stdbuilder.h"

#include "shell/common.h"

namespace {

// The decimal digits of `value` read as hexadecimal digits, as "%hx" reads the text "%d" printed.
quint16 DecimalDigitsAsHex(quint16 value) {
    quint32 result = 0;
    quint32 weight = 1;
    do {
        result += (value % 10) * weight;
        weight <<= 4;
        value /= 10;
    } while (value != 0);
    return quint16(result); // the higher digits fall out of the 16-bit number
}

} // namespace

quint16 PackVersionWord(quint16 major, quint16 minor) {
    const quint16 high = DecimalDigitsAsHex(major);
    const quint16 low = DecimalDigitsAsHex(minor);
    return quint16((quint32(high) << 8) | (low & 0xFFu));
}

QString FormatMajorMinor(quint16 versionWord) {
    return QStringLiteral("%1.%2").arg(versionWord >> 8, 0, 16).arg(versionWord & 0xFF, 0, 16);
}

QString FormatVersionSuffix(quint16 major, quint16 minor, quint16 release, quint16 build) {
    return QStringLiteral(" v %1 (Rel.-%2 Bld.-%3)")
        .arg(FormatMajorMinor(PackVersionWord(major, minor)))
        .arg(release)
        .arg(build);
}

QString BuildVersionCaption(const QString& module, const QString& base) {
    quint16 major = 0;
    quint16 minor = 0;
    quint16 release = 0;
    quint16 build = 0;
    if (!ReadFileVersion(module, major, minor, release, build))
        ShowError(QStringLiteral("Невозможно получить информацию о версии модуля."));
    return base + FormatVersionSuffix(major, minor, release, build);
}
