// The version caption: the BCD arithmetic of major and minor, the examples of the caption, and
// ReadFileVersion on programs with and without the version record the build writes into them.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <ostream>

#include <elf.h>

#include <cstring>

#include "shell/common.h"
#include "shell/elf_section.h"
#include "shell/stdbuilder.h"

namespace {

// --- the arithmetic ---

struct SuffixCase {
    const char* name;
    quint16 major, minor, release, build;
    const char* suffix;
};
void PrintTo(const SuffixCase& c, std::ostream* os) {
    *os << c.name;
}

class VersionSuffix : public ::testing::TestWithParam<SuffixCase> {};

TEST_P(VersionSuffix, FollowsTheBaseText) {
    const SuffixCase& c = GetParam();
    EXPECT_EQ(FormatVersionSuffix(c.major, c.minor, c.release, c.build), QString::fromUtf8(c.suffix));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, VersionSuffix,
    ::testing::Values(SuffixCase{"ProgramVersion", 1, 2, 2, 4, " v 1.2 (Rel.-2 Bld.-4)"},
                      SuffixCase{"LargestBuild", 10, 0, 300, 65535, " v 10.0 (Rel.-300 Bld.-65535)"},
                      SuffixCase{"MajorOfThreeDigits", 100, 7, 0, 0, " v 0.7 (Rel.-0 Bld.-0)"},
                      SuffixCase{"Unreadable", 0, 0, 0, 0, " v 0.0 (Rel.-0 Bld.-0)"},
                      SuffixCase{"TwoDigitsEach", 12, 34, 1, 1, " v 12.34 (Rel.-1 Bld.-1)"},
                      SuffixCase{"MinorOfThreeDigits", 1, 105, 0, 0, " v 1.5 (Rel.-0 Bld.-0)"},
                      SuffixCase{"LargestNumbers", 65535, 65535, 65535, 65535,
                                 " v 35.35 (Rel.-65535 Bld.-65535)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VersionWord, PacksDecimalDigitsAsBcdBytes) {
    EXPECT_EQ(PackVersionWord(1, 2), 0x0102);
    EXPECT_EQ(PackVersionWord(12, 34), 0x1234);
    EXPECT_EQ(PackVersionWord(100, 7), 0x0007);
}

TEST(VersionWord, PrintsEachByteInHexWithoutLeadingZeros) {
    EXPECT_EQ(FormatMajorMinor(0x0102), QStringLiteral("1.2"));
    EXPECT_EQ(FormatMajorMinor(0x0a0b), QStringLiteral("a.b"));
    EXPECT_EQ(FormatMajorMinor(0x0000), QStringLiteral("0.0"));
    EXPECT_EQ(FormatMajorMinor(0xff10), QStringLiteral("ff.10"));
}

TEST(VersionWord, EveryMajorAndMinorShowsModulo100) {
    for (int value = 0; value <= 0xFFFF; ++value) {
        const QString shown = FormatMajorMinor(PackVersionWord(quint16(value), quint16(value)));
        const QString part = QString::number(value % 100);
        ASSERT_EQ(shown, part + QLatin1Char('.') + part) << value;
    }
}

// --- reading the record ---

// This test program links the shell, so it carries the record as the program does.
QString OwnProgram() {
    return QCoreApplication::applicationFilePath();
}

struct FileVersion {
    quint16 major = 7, minor = 7, release = 7, build = 7; // not a version: shows that nothing was written
    bool Read(const QString& path) { return ReadFileVersion(path, major, minor, release, build); }
    bool Untouched() const { return major == 7 && minor == 7 && release == 7 && build == 7; }
};

TEST(ReadFileVersion, ReadsTheRecordOfAProgramThatLinksTheShell) {
    FileVersion v;
    ASSERT_TRUE(v.Read(OwnProgram()));
    EXPECT_EQ(v.major, 1);
    EXPECT_EQ(v.minor, 2);
    EXPECT_EQ(v.release, 2);
    EXPECT_EQ(v.build, 4);
}

TEST(ReadFileVersion, ReadsTheRecordOfTheProgramItself) {
    const QString program = QStringLiteral(RASCHET_BINARY_DIR "/src/shell/raschet");
    if (!QFile::exists(program))
        GTEST_SKIP() << "raschet is not built in " << RASCHET_BINARY_DIR;
    FileVersion v;
    ASSERT_TRUE(v.Read(program));
    EXPECT_EQ(QStringLiteral("%1.%2.%3.%4").arg(v.major).arg(v.minor).arg(v.release).arg(v.build),
              QStringLiteral("1.2.2.4"));
}

// Copies of this program, altered, in a private folder.
class DamagedProgram : public ::testing::Test {
  protected:
    QByteArray Original() const {
        QFile file(OwnProgram());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    QString Write(const QString& name, const QByteArray& bytes) const {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // Every occurrence: the name or magic also stands in the program's own constants.
    static QByteArray Replaced(QByteArray bytes, const QByteArray& from, const QByteArray& to) {
        EXPECT_GE(bytes.indexOf(from), 0) << from.constData();
        return bytes.replace(from, to);
    }

    QTemporaryDir m_dir;
};

TEST_F(DamagedProgram, ACopyAtAShortPathStillCarriesTheRecord) {
    FileVersion v;
    EXPECT_TRUE(v.Read(Write(QStringLiteral("copy"), Original())));
}

TEST_F(DamagedProgram, ASectionOfAnotherNameIsNoRecord) {
    FileVersion v;
    EXPECT_FALSE(v.Read(
        Write(QStringLiteral("renamed"), Replaced(Original(), ".raschet_version", ".raschet_xersion"))));
    EXPECT_TRUE(v.Untouched());
}

TEST_F(DamagedProgram, ARecordWithoutItsMagicIsRefused) {
    FileVersion v;
    EXPECT_FALSE(v.Read(Write(QStringLiteral("nomagic"), Replaced(Original(), "RASCHETV", "XXXXXXXX"))));
    EXPECT_TRUE(v.Untouched());
}

TEST_F(DamagedProgram, ATruncatedProgramIsUnreadable) {
    FileVersion v;
    EXPECT_FALSE(v.Read(Write(QStringLiteral("head"), Original().left(4096))));
    EXPECT_TRUE(v.Untouched());
}

TEST_F(DamagedProgram, AFileThatIsNoProgramIsUnreadable) {
    FileVersion v;
    EXPECT_FALSE(v.Read(Write(QStringLiteral("notes.txt"), "RASCHETV is not a program\n")));
    EXPECT_FALSE(v.Read(m_dir.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(v.Read(m_dir.path())); // a folder
    EXPECT_TRUE(v.Untouched());
}

TEST_F(DamagedProgram, AFullNameLongerThan255CharactersIsRefused) {
    QString folder = m_dir.path();
    while (folder.size() < 250)
        folder += QStringLiteral("/папка_с_длинным_именем");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/raschet");
    ASSERT_TRUE(QFile::copy(OwnProgram(), path));
    ASSERT_GT(path.size(), 255);
    FileVersion v;
    EXPECT_FALSE(v.Read(path));
    EXPECT_TRUE(v.Untouched());
}

// --- the record in files of the other ELF kinds, built by hand ---

struct ElfKind {
    const char* name;
    bool is64;
    bool bigEndian;
};
void PrintTo(const ElfKind& c, std::ostream* os) {
    *os << c.name;
}

class HandMadeElf : public ::testing::TestWithParam<ElfKind> {
  protected:
    template <typename T> void Put(QByteArray& bytes, qsizetype at, T value) const {
        value = GetParam().bigEndian ? qToBigEndian(value) : qToLittleEndian(value);
        std::memcpy(bytes.data() + at, &value, sizeof value);
    }

    // An ELF file of three sections: none, the section names, and the version record.
    QByteArray Build(quint16 major, quint16 minor, quint16 release, quint16 build) const {
        const bool is64 = GetParam().is64;
        const QByteArray names("\0.shstrtab\0.raschet_version\0", 28);
        QByteArray record("RASCHETV", 8);
        record.resize(16);
        Put<quint16>(record, 8, major);
        Put<quint16>(record, 10, minor);
        Put<quint16>(record, 12, release);
        Put<quint16>(record, 14, build);

        const qsizetype ehsize = is64 ? sizeof(Elf64_Ehdr) : sizeof(Elf32_Ehdr);
        const qsizetype shentsize = is64 ? sizeof(Elf64_Shdr) : sizeof(Elf32_Shdr);
        const qsizetype namesAt = ehsize;
        const qsizetype recordAt = namesAt + names.size();
        const qsizetype tableAt = recordAt + record.size();
        QByteArray file(tableAt + 3 * shentsize, '\0');
        std::memcpy(file.data(), ELFMAG, SELFMAG);
        file[EI_CLASS] = is64 ? ELFCLASS64 : ELFCLASS32;
        file[EI_DATA] = GetParam().bigEndian ? ELFDATA2MSB : ELFDATA2LSB;
        file[EI_VERSION] = EV_CURRENT;
        file.replace(namesAt, names.size(), names);
        file.replace(recordAt, record.size(), record);
        if (is64) {
            Put<quint64>(file, offsetof(Elf64_Ehdr, e_shoff), tableAt);
            Put<quint16>(file, offsetof(Elf64_Ehdr, e_shentsize), shentsize);
            Put<quint16>(file, offsetof(Elf64_Ehdr, e_shnum), 3);
            Put<quint16>(file, offsetof(Elf64_Ehdr, e_shstrndx), 1);
        } else {
            Put<quint32>(file, offsetof(Elf32_Ehdr, e_shoff), tableAt);
            Put<quint16>(file, offsetof(Elf32_Ehdr, e_shentsize), shentsize);
            Put<quint16>(file, offsetof(Elf32_Ehdr, e_shnum), 3);
            Put<quint16>(file, offsetof(Elf32_Ehdr, e_shstrndx), 1);
        }
        const struct {
            quint32 name;
            qsizetype offset, size;
        } sections[] = {{1, namesAt, names.size()}, {11, recordAt, record.size()}};
        for (int i = 0; i < 2; ++i) {
            const qsizetype at = tableAt + (i + 1) * shentsize;
            if (is64) {
                Put<quint32>(file, at + offsetof(Elf64_Shdr, sh_name), sections[i].name);
                Put<quint32>(file, at + offsetof(Elf64_Shdr, sh_type), i == 0 ? SHT_STRTAB : SHT_PROGBITS);
                Put<quint64>(file, at + offsetof(Elf64_Shdr, sh_offset), sections[i].offset);
                Put<quint64>(file, at + offsetof(Elf64_Shdr, sh_size), sections[i].size);
            } else {
                Put<quint32>(file, at + offsetof(Elf32_Shdr, sh_name), sections[i].name);
                Put<quint32>(file, at + offsetof(Elf32_Shdr, sh_type), i == 0 ? SHT_STRTAB : SHT_PROGBITS);
                Put<quint32>(file, at + offsetof(Elf32_Shdr, sh_offset), sections[i].offset);
                Put<quint32>(file, at + offsetof(Elf32_Shdr, sh_size), sections[i].size);
            }
        }
        return file;
    }

    QString Write(const QByteArray& bytes) const {
        const QString path = m_dir.filePath(QStringLiteral("program"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_P(HandMadeElf, ReadsTheNumbersInTheFilesByteOrder) {
    FileVersion v;
    ASSERT_TRUE(v.Read(Write(Build(10, 0, 300, 65535))));
    EXPECT_EQ(v.major, 10);
    EXPECT_EQ(v.minor, 0);
    EXPECT_EQ(v.release, 300);
    EXPECT_EQ(v.build, 65535);
}

TEST_P(HandMadeElf, RefusesASectionTableThatRunsPastTheEnd) {
    QByteArray file = Build(1, 2, 2, 4);
    file.chop(8);
    FileVersion v;
    EXPECT_FALSE(v.Read(Write(file)));
    EXPECT_TRUE(v.Untouched());
}

INSTANTIATE_TEST_SUITE_P(Kinds, HandMadeElf,
                         ::testing::Values(ElfKind{"Elf64LittleEndian", true, false},
                                           ElfKind{"Elf32BigEndian", false, true},
                                           ElfKind{"Elf32LittleEndian", false, false},
                                           ElfKind{"Elf64BigEndian", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- the caption ---

class VersionCaption : public ::testing::Test {
  protected:
    void SetUp() override {
        m_previous =
            SetErrorPresenter([this](const QString&, const QString& text) { m_errors.push_back(text); });
    }
    void TearDown() override { SetErrorPresenter(m_previous); }

    const QString m_base = QString::fromUtf8(kMainCaptionBase);
    QStringList m_errors;

  private:
    ErrorPresenter m_previous;
};

TEST_F(VersionCaption, NamesTheProgramsVersion) {
    EXPECT_EQ(
        BuildVersionCaption(OwnProgram(), m_base),
        QStringLiteral("ООО 'ТОРМЕЛЬ' - Программа расчета стоимости материалов  v 1.2 (Rel.-2 Bld.-4)"));
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(VersionCaption, AnUnreadableVersionShowsTheErrorEachTimeAndZeros) {
    const QString missing = QStringLiteral("/nonexistent/raschet");
    for (int time = 1; time <= 2; ++time) {
        EXPECT_EQ(BuildVersionCaption(missing, m_base), m_base + QStringLiteral(" v 0.0 (Rel.-0 Bld.-0)"));
        ASSERT_EQ(m_errors.size(), time);
        EXPECT_EQ(m_errors.back(), QStringLiteral("Ошибка: Невозможно получить информацию о версии модуля."));
    }
}

} // namespace
