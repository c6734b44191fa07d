#pragma once
// Unit Stdbuilder: the calculation window's caption — the base text followed by the version read from
// the program file, e.g. "... материалов  v 1.2 (Rel.-2 Bld.-4)". Major and minor pass through a
// version word of two packed-BCD bytes, so each shows its value modulo 100.

#include <QString>
#include <QtGlobal>

// The caption's base text (it ends with a blank).
inline constexpr char kMainCaptionBase[] = "ООО 'ТОРМЕЛЬ' - Программа расчета стоимости материалов ";

// Reads the version of `module` (ReadFileVersion) and returns base + FormatVersionSuffix(...). When the
// version cannot be read it calls ShowError("Невозможно получить информацию о версии модуля.") and all
// four numbers are 0. The calculation window passes QCoreApplication::applicationFilePath().
QString BuildVersionCaption(const QString& module, const QString& base);

// The version word: major and minor printed in decimal and read back as hexadecimal ("%d" then "%hx":
// 12 becomes 0x12, cut to 16 bits), then packed as (major << 8) | (minor & 0xFF), cut to 16 bits.
quint16 PackVersionWord(quint16 major, quint16 minor);

// The word's high and low byte in hexadecimal without leading zeros, joined by a point ("%x.%x").
QString FormatMajorMinor(quint16 versionWord);

// " v <major>.<minor> (Rel.-<release> Bld.-<build>)": what follows the base text.
QString FormatVersionSuffix(quint16 major, quint16 minor, quint16 release, quint16 build);
