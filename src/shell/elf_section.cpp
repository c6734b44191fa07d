#include "shell/elf_section.h"

#include <QFile>
#include <QtEndian>

#include <elf.h>

#include <cstring>

namespace shell {

namespace {

// Section headers and names larger than this are no program of ours: refuse them rather than allocate.
constexpr quint64 kMaxTableBytes = 16 * 1024 * 1024;

class ElfReader {
  public:
    ElfReader(QFile& file, bool is64, bool bigEndian) : m_file(file), m_is64(is64), m_big(bigEndian) {}

    bool Read(quint64 offset, quint64 size, QByteArray& out) {
        if (size > kMaxTableBytes || offset > quint64(m_file.size()) ||
            size > quint64(m_file.size()) - offset)
            return false;
        if (!m_file.seek(qint64(offset)))
            return false;
        out = m_file.read(qint64(size));
        return quint64(out.size()) == size;
    }

    template <typename T> T Get(const QByteArray& bytes, qsizetype at) const {
        T value;
        std::memcpy(&value, bytes.constData() + at, sizeof value);
        return m_big ? qFromBigEndian(value) : qFromLittleEndian(value);
    }

    bool Is64() const { return m_is64; }
    bool BigEndian() const { return m_big; }

  private:
    QFile& m_file;
    bool m_is64;
    bool m_big;
};

struct SectionHeader {
    quint32 name = 0;
    quint32 type = 0;
    quint64 offset = 0;
    quint64 size = 0;
    quint32 link = 0;
};

SectionHeader HeaderAt(const ElfReader& r, const QByteArray& table, qsizetype at) {
    SectionHeader h;
    if (r.Is64()) {
        h.name = r.Get<quint32>(table, at + offsetof(Elf64_Shdr, sh_name));
        h.type = r.Get<quint32>(table, at + offsetof(Elf64_Shdr, sh_type));
        h.offset = r.Get<quint64>(table, at + offsetof(Elf64_Shdr, sh_offset));
        h.size = r.Get<quint64>(table, at + offsetof(Elf64_Shdr, sh_size));
        h.link = r.Get<quint32>(table, at + offsetof(Elf64_Shdr, sh_link));
    } else {
        h.name = r.Get<quint32>(table, at + offsetof(Elf32_Shdr, sh_name));
        h.type = r.Get<quint32>(table, at + offsetof(Elf32_Shdr, sh_type));
        h.offset = r.Get<quint32>(table, at + offsetof(Elf32_Shdr, sh_offset));
        h.size = r.Get<quint32>(table, at + offsetof(Elf32_Shdr, sh_size));
        h.link = r.Get<quint32>(table, at + offsetof(Elf32_Shdr, sh_link));
    }
    return h;
}

} // namespace

std::optional<ElfSection> ReadElfSection(const QString& path, const char* name) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;

    const QByteArray ident = file.read(EI_NIDENT);
    if (ident.size() != EI_NIDENT || std::memcmp(ident.constData(), ELFMAG, SELFMAG) != 0)
        return std::nullopt;
    const char elfClass = ident[EI_CLASS];
    const char elfData = ident[EI_DATA];
    if ((elfClass != ELFCLASS32 && elfClass != ELFCLASS64) ||
        (elfData != ELFDATA2LSB && elfData != ELFDATA2MSB))
        return std::nullopt;
    ElfReader r(file, elfClass == ELFCLASS64, elfData == ELFDATA2MSB);

    QByteArray ehdr;
    if (!r.Read(0, r.Is64() ? sizeof(Elf64_Ehdr) : sizeof(Elf32_Ehdr), ehdr))
        return std::nullopt;
    quint64 shoff;
    quint32 shentsize, shnum, shstrndx;
    if (r.Is64()) {
        shoff = r.Get<quint64>(ehdr, offsetof(Elf64_Ehdr, e_shoff));
        shentsize = r.Get<quint16>(ehdr, offsetof(Elf64_Ehdr, e_shentsize));
        shnum = r.Get<quint16>(ehdr, offsetof(Elf64_Ehdr, e_shnum));
        shstrndx = r.Get<quint16>(ehdr, offsetof(Elf64_Ehdr, e_shstrndx));
    } else {
        shoff = r.Get<quint32>(ehdr, offsetof(Elf32_Ehdr, e_shoff));
        shentsize = r.Get<quint16>(ehdr, offsetof(Elf32_Ehdr, e_shentsize));
        shnum = r.Get<quint16>(ehdr, offsetof(Elf32_Ehdr, e_shnum));
        shstrndx = r.Get<quint16>(ehdr, offsetof(Elf32_Ehdr, e_shstrndx));
    }
    const quint32 minEntry = r.Is64() ? sizeof(Elf64_Shdr) : sizeof(Elf32_Shdr);
    if (shoff == 0 || shentsize < minEntry)
        return std::nullopt;

    // Files with very many sections keep the real count and name-table index in section 0.
    if (shnum == 0 || shstrndx == SHN_XINDEX) {
        QByteArray first;
        if (!r.Read(shoff, shentsize, first))
            return std::nullopt;
        const SectionHeader zero = HeaderAt(r, first, 0);
        if (shnum == 0)
            shnum = quint32(qMin<quint64>(zero.size, kMaxTableBytes));
        if (shstrndx == SHN_XINDEX)
            shstrndx = zero.link;
    }
    if (shstrndx >= shnum)
        return std::nullopt;

    QByteArray table;
    if (!r.Read(shoff, quint64(shnum) * shentsize, table))
        return std::nullopt;
    const SectionHeader strings = HeaderAt(r, table, qsizetype(shstrndx) * shentsize);
    QByteArray names;
    if (strings.type == SHT_NOBITS || !r.Read(strings.offset, strings.size, names))
        return std::nullopt;

    const QByteArray wanted(name);
    for (quint32 i = 0; i < shnum; ++i) {
        const SectionHeader h = HeaderAt(r, table, qsizetype(i) * shentsize);
        if (h.name >= quint32(names.size()))
            continue;
        const char* start = names.constData() + h.name;
        const qsizetype length = qsizetype(qstrnlen(start, uint(names.size() - h.name)));
        if (QByteArrayView(start, length) != wanted)
            continue;
        if (h.type == SHT_NOBITS)
            return std::nullopt;
        ElfSection section;
        section.bigEndian = r.BigEndian();
        if (!r.Read(h.offset, h.size, section.data))
            return std::nullopt;
        return section;
    }
    return std::nullopt;
}

} // namespace shell
