// startup_timing: how long raschet takes from process start to its start window shown, against a bare
// Qt program that shows one empty window with an 18-row table. Both are started the same way, headless
// (offscreen) with RASCHET_TIMING=1, and report the end of their first paint (shell/first_show.h); the
// harness takes the time just before starting each, alternates them over N runs after a warm-up, and
// prints the medians and their ratio (target: at most 1.5).
//
//   startup_timing [--runs N] [--program PATH]   PATH defaults to ../src/shell/raschet beside bench/
//   startup_timing --baseline                    the bare program itself (started by the harness)
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "shell/first_show.h"

namespace {

int RunBaseline(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(800, 600);
    auto* layout = new QVBoxLayout(&window);
    auto* table = new QTableView(&window);
    auto* model = new QStandardItemModel(18, 7, table);
    table->setModel(model);
    layout->addWidget(table);
    shell::ReportFirstShowWhenTimed(&window);
    window.show();
    return app.exec();
}

long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// Milliseconds from the start of `program` to its first shown window; nullopt when it never reported.
std::optional<double> TimeOnce(const QString& program, const QStringList& arguments,
                               const QString& configDir) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("RASCHET_TIMING"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir);
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    const long long started = NowNs();
    process.start(program, arguments);
    std::optional<double> shown;
    QByteArray output;
    while (!shown && process.waitForReadyRead(10000)) {
        output += process.readAllStandardOutput();
        const qsizetype at = output.indexOf(shell::kShownMarker);
        const qsizetype end = at >= 0 ? output.indexOf('\n', at) : -1;
        if (end >= 0) {
            const long long stamp =
                output.mid(at + qsizetype(std::strlen(shell::kShownMarker)), end - at).trimmed().toLongLong();
            shown = double(stamp - started) / 1e6;
        }
    }
    process.kill();
    process.waitForFinished(5000);
    return shown;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 15;
    QString program;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--baseline"))
            return RunBaseline(argc, argv);
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--program") && i + 1 < argc)
            program = QString::fromLocal8Bit(argv[++i]);
    }
    QCoreApplication app(argc, argv);
    if (program.isEmpty())
        program =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../src/shell/raschet"));
    if (!QFileInfo::exists(program)) {
        std::fprintf(stderr, "no program at %s (build the raschet target, or pass --program)\n",
                     qPrintable(program));
        return 1;
    }
    const QString self = QCoreApplication::applicationFilePath();
    QTemporaryDir config; // the program's settings stay out of the user's

    // Warm-up: the first start of each reads the libraries from disk.
    TimeOnce(program, {}, config.path());
    TimeOnce(self, {QStringLiteral("--baseline")}, config.path());

    std::vector<double> raschet, baseline;
    for (int i = 0; i < runs; ++i) {
        const auto a = TimeOnce(program, {}, config.path());
        const auto b = TimeOnce(self, {QStringLiteral("--baseline")}, config.path());
        if (!a || !b) {
            std::fprintf(stderr, "a run did not report its window (RASCHET_TIMING)\n");
            return 1;
        }
        raschet.push_back(*a);
        baseline.push_back(*b);
    }
    const double r = Median(raschet);
    const double b = Median(baseline);
    std::printf("start to start window shown, median of %d runs (offscreen)\n", runs);
    std::printf("  raschet          %8.1f ms   (min %.1f, max %.1f)\n", r,
                *std::min_element(raschet.begin(), raschet.end()),
                *std::max_element(raschet.begin(), raschet.end()));
    std::printf("  bare Qt program  %8.1f ms   (min %.1f, max %.1f)\n", b,
                *std::min_element(baseline.begin(), baseline.end()),
                *std::max_element(baseline.begin(), baseline.end()));
    std::printf("  ratio            %8.2f     (target <= 1.50: %s)\n", r / b,
                r / b <= 1.5 ? "met" : "NOT met");
    return 0;
}
