// raschet-sheet --pdf: the printed specification of the stored inputs as a PDF file, with the user's
// decimal separator, next to the usual sheet on standard output; and its exit codes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <string>

#include "prices/form_storage.h"

namespace {

QString SheetTool() { return QStringLiteral(RASCHET_BINARY_DIR "/src/tools/raschet-sheet"); }

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun RunProgram(const QString& program, const QStringList& args, const QString& lang = QStringLiteral("C.UTF-8")) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), lang);
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_NUMERIC"));
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << program.toStdString() << " did not finish";
        return {};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class SheetToolPdf : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QFileInfo(SheetTool()).isExecutable()) << "build the raschet-sheet target first";
        pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext was not found on PATH; install poppler-utils";
    }

    QString Settings(const prices::StoredValues& values) {
        const QString file = dir.filePath(QStringLiteral("inputs.ini"));
        prices::FormStorage(file).Store(values);
        return file;
    }

    QString PdfText(const QString& file) { return RunProgram(pdftotext, {QStringLiteral("-layout"), file, QStringLiteral("-")}).out; }

    const prices::StoredValues filled{
        {"EdRoofL.Text", "1800"},
        {"EdRoofW.Text", "1200"},
        {"CbRoofVibro.Text", "КД plus 2"},
        {"StStorePrice.Caption", "0:350;0:420.5;"},
    };
    QTemporaryDir dir;
    QString pdftotext;
};

struct SeparatorCase {
    const char* name;
    const char* lang;
    const char* totals; // a pattern of the totals line
};

void PrintTo(const SeparatorCase& c, std::ostream* os) { *os << c.name; }

class SheetToolPdfSeparator : public SheetToolPdf, public ::testing::WithParamInterface<SeparatorCase> {};

// Roof 1.8 x 1.2 m of "КД plus 2": 2.16 m2, 5.4 sheets at 420.5 a sheet, 3.75 kg/m2.
TEST_P(SheetToolPdfSeparator, WritesTheSpecificationAndStillPrintsTheSheet) {
    const QString pdf = dir.filePath(QStringLiteral("specification.pdf"));
    const ToolRun run = RunProgram(SheetTool(), {QStringLiteral("--settings"), Settings(filled), QStringLiteral("--pdf"), pdf},
                            QString::fromLatin1(GetParam().lang));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Id,Name,Size,"))) << run.out.toStdString();

    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Стоимость материалов ООО 'ТОРМЕЛЬ' на ваш автомобиль")));
    EXPECT_TRUE(QRegularExpression(QString::fromUtf8(GetParam().totals)).match(text).hasMatch()) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Locales, SheetToolPdfSeparator,
                         ::testing::Values(SeparatorCase{"Russian", "ru_RU.UTF-8", "Вес\\s+8,100\\s+Сумма\\s+2270,70"},
                                           SeparatorCase{"C", "C.UTF-8", "Вес\\s+8\\.100\\s+Сумма\\s+2270\\.70"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    QStringList args; // %DIR% stands for the test's folder, %INI% for the filled settings
    bool badInputs;   // the stored roof length is no number
    int exitCode;
    const char* message;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class SheetToolPdfFailure : public SheetToolPdf, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SheetToolPdfFailure, ExitsWithTheCodeAndAMessageAndWritesNothing) {
    const FailureCase& c = GetParam();
    prices::StoredValues values = filled;
    if (c.badInputs)
        values["EdRoofL.Text"] = "18a0";
    const QString ini = Settings(values);
    QStringList args;
    for (QString arg : c.args)
        args << arg.replace(QStringLiteral("%DIR%"), dir.path()).replace(QStringLiteral("%INI%"), ini);

    const ToolRun run = RunProgram(SheetTool(), args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files | QDir::Hidden).size(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, SheetToolPdfFailure,
    ::testing::Values(
        FailureCase{"NoFileName", {QStringLiteral("--settings"), QStringLiteral("%INI%"), QStringLiteral("--pdf")},
                    false, 2, "после --pdf нужно имя файла"},
        FailureCase{"MissingFolder",
                    {QStringLiteral("--settings"), QStringLiteral("%INI%"), QStringLiteral("--pdf"),
                     QStringLiteral("%DIR%/missing/out.pdf")},
                    false, 2, "Не удается открыть файл"},
        FailureCase{"AFolderAsFile",
                    {QStringLiteral("--settings"), QStringLiteral("%INI%"), QStringLiteral("--pdf"), QStringLiteral("%DIR%")},
                    false, 2, "Не удается открыть файл"},
        FailureCase{"DimensionNoNumber",
                    {QStringLiteral("--settings"), QStringLiteral("%INI%"), QStringLiteral("--pdf"),
                     QStringLiteral("%DIR%/out.pdf")},
                    true, 1, "'18 0' is not a valid integer value"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
