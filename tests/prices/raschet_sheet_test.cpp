// The headless command raschet-sheet, run as a separate process on small settings files.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "support/config_dir.h"

namespace {

const QString kProgram = QStringLiteral(RASCHET_BINARY_DIR "/src/tools/raschet-sheet");

struct SheetRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

SheetRun RunSheet(const QStringList& args, const QString& configHome) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(env);
    process.start(kProgram, args);
    SheetRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "raschet-sheet did not finish normally: " << process.errorString().toStdString();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

void WriteSettings(const QString& file, const std::map<std::string, std::string>& values) {
    QSettings settings(file, QSettings::IniFormat);
    for (const auto& [key, value] : values)
        settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings.sync();
    ASSERT_EQ(settings.status(), QSettings::NoError);
}

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto pos = text.find(end); pos != std::string::npos; pos = text.find(end, start)) {
        lines.push_back(text.substr(start, pos - start));
        start = pos + end.size();
    }
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

// Roof 1500 x 1200 with "КД plus 2", priced 100 per m2; a per-sheet price on a row without quantity.
const std::map<std::string, std::string> kRoofSettings{
    {"EdRoofL.Text", "1500"},
    {"EdRoofW.Text", "1200"},
    {"CbRoofVibro.Text", "КД plus 2"},
    {"StStorePrice.Caption", "0:0;100:0;0:0;0:0;0:0;0:0;0:0;0:0;0:33;"},
};

class RaschetSheet : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!QFileInfo(kProgram).isExecutable())
            FAIL() << "raschet-sheet is not built at " << kProgram.toStdString();
    }
    QString File(const char* name = "inputs.ini") const { return config.Path() + QLatin1Char('/') + name; }
    testsupport::ScopedConfigDir config;
};

TEST_F(RaschetSheet, CsvHasTheHeaderEveryRowAndTheTotals) {
    WriteSettings(File(), kRoofSettings);
    const SheetRun run = RunSheet({QStringLiteral("--settings"), File()}, config.Path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out, "\r\n");
    ASSERT_EQ(lines.size(), 20u) << run.out;
    EXPECT_EQ(lines[0], "Id,Name,Size,AmountS,AmountN,PriceS,PriceN,Summa,Weight");
    EXPECT_EQ(lines[1], "1,Кордилат 'Тормель plus',\"530*750*1,6\",,,,,,");
    EXPECT_EQ(lines[2], "2,Кордилат 'Тормель plus',530*750*2,1.8,4.5,100,,180,6.75");
    EXPECT_EQ(lines[9], "9,\"Фенсалин ЛМ 12,5\",\"1200*2000*12,5\",,,,33,,");
    EXPECT_EQ(lines[18], "18,Рузелин,\"1000*1250*1,5\",,,,,,");
    EXPECT_EQ(lines[19], ",Итого,,,,,,180.00,6.750");
}

TEST_F(RaschetSheet, JsonHasTheSameSheet) {
    WriteSettings(File(), kRoofSettings);
    const SheetRun run =
        RunSheet({QStringLiteral("--json"), QStringLiteral("--settings"), File()}, config.Path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(
        run.out.find("{\"Id\":2,\"Name\":\"Кордилат 'Тормель plus'\",\"Size\":\"530*750*2\",\"AmountS\":1.8,"
                     "\"AmountN\":4.5,\"PriceS\":100,\"PriceN\":null,\"Summa\":180,\"Weight\":6.75}"),
        std::string::npos)
        << run.out;
    EXPECT_TRUE(run.out.ends_with("],\"StSumma\":\"180.00\",\"StAllWeight\":\"6.750\"}\n")) << run.out;

    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonArray rows = doc.object().value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(rows.size(), 18);
    const QJsonObject ninth = rows[8].toObject();
    EXPECT_EQ(ninth.value(QStringLiteral("Id")).toInt(), 9);
    EXPECT_EQ(ninth.value(QStringLiteral("Name")).toString(), QStringLiteral("Фенсалин ЛМ 12,5"));
    EXPECT_EQ(ninth.value(QStringLiteral("PriceN")).toDouble(), 33.0);
    EXPECT_TRUE(ninth.value(QStringLiteral("Summa")).isNull());
    EXPECT_TRUE(ninth.value(QStringLiteral("AmountS")).isNull());
}

TEST_F(RaschetSheet, WithoutSettingsReadsTheUsersOwnStoredState) {
    WriteSettings(config.IniFile(), kRoofSettings);
    const SheetRun run = RunSheet({}, config.Path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.ends_with(",Итого,,,,,,180.00,6.750\r\n")) << run.out;
}

TEST_F(RaschetSheet, EmptySettingsFileGivesAnEmptySheet) {
    QFile empty(File());
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    const SheetRun run = RunSheet({QStringLiteral("--settings"), File()}, config.Path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out, "\r\n");
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[2], "2,Кордилат 'Тормель plus',530*750*2,,,,,,");
    EXPECT_EQ(lines[19], ",Итого,,,,,,0.00,0.000");
}

TEST_F(RaschetSheet, UnreadableDimensionExitsWithOneAndTheMessage) {
    WriteSettings(File(),
                  {{"EdRoofL.Text", "1 2"}, {"EdRoofW.Text", "1000"}, {"CbRoofVibro.Text", "КД plus 2"}});
    const SheetRun run = RunSheet({QStringLiteral("--settings"), File()}, config.Path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("'1 2' is not a valid integer value"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

struct UsageCase {
    const char* name;
    std::vector<const char*> args; // "{dir}" stands for the test's own folder
};
void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << c.name;
}

class RaschetSheetUsage : public RaschetSheet, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(RaschetSheetUsage, ExitsWithTwoAndSaysWhy) {
    QStringList args;
    for (const char* a : GetParam().args)
        args << QString::fromUtf8(a).replace(QStringLiteral("{dir}"), config.Path());
    const SheetRun run = RunSheet(args, config.Path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err, "");
    EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(RaschetSheet, RaschetSheetUsage,
                         ::testing::Values(UsageCase{"UnknownOption", {"--csv"}},
                                           UsageCase{"SettingsWithoutFile", {"--json", "--settings"}},
                                           UsageCase{"MissingFile", {"--settings", "{dir}/missing.ini"}},
                                           UsageCase{"DirectoryAsFile", {"--settings", "{dir}"}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
