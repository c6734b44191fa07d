#pragma once
// Reads one named section out of an ELF file (32 or 64 bit, either byte order) by walking its section
// headers. Only as much of the file is read as the headers and the section need.

#include <QByteArray>
#include <QString>

#include <optional>

namespace shell {

struct ElfSection {
    QByteArray data;
    bool bigEndian = false; // the file's byte order, in which the section's numbers are stored
};

// The section `name` of the file at `path`; nullopt when the file cannot be read, is no ELF file, is
// malformed, or has no such section (or an empty one without contents in the file).
std::optional<ElfSection> ReadElfSection(const QString& path, const char* name);

} // namespace shell
