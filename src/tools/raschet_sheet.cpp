// raschet-sheet [--settings FILE] [--json] [--pdf FILE]
//
// Prints the calculation sheet for the stored inputs, exactly as the calculation window would show it
// after opening: the saved values are restored into the window's model and the opening tick is run.
// Without --settings the user's own stored state is read. --pdf also writes the printed specification
// of that sheet to FILE (A4 PDF) before the sheet is printed.
//
// Exit codes: 0 done; 1 a stored dimension is no number; 2 bad options, unreadable settings or an
// unwritable PDF file.

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "calc/number_format.h"
#include "prices/decimal_separator.h"
#include "prices/form_storage.h"
#include "prices/main_form_model.h"

#ifdef RASCHET_WITH_PRINT
#include <QGuiApplication>

#include "print/page_renderer.h"
#include "print/specification_page.h"
#endif

namespace {

constexpr int kExitConversion = 1;
constexpr int kExitUsage = 2;

#ifdef RASCHET_WITH_PRINT
const char* const kUsage = "Использование: raschet-sheet [--settings ФАЙЛ] [--json] [--pdf ФАЙЛ]\n";
#else
const char* const kUsage = "Использование: raschet-sheet [--settings ФАЙЛ] [--json]\n";
#endif

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string Number(const std::optional<double>& v) { return v ? calc::FormatGeneral(*v, '.') : std::string(); }

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string JsonNumber(const std::optional<double>& v) {
    if (!v)
        return "null";
    return calc::FormatGeneral(*v, '.');
}

void PrintCsv(const prices::MainFormModel& model, std::ostream& out) {
    out << "Id,Name,Size,AmountS,AmountN,PriceS,PriceN,Summa,Weight\r\n";
    const calc::DsMaterial& ds = model.State().sheet;
    for (int i = 0; i < ds.RecordCount(); ++i) {
        const calc::SheetRow& r = ds.Row(i);
        out << r.Id << ',' << CsvField(r.Name) << ',' << CsvField(r.Size) << ',' << Number(r.AmountS) << ','
            << Number(r.AmountN) << ',' << Number(r.PriceS) << ',' << Number(r.PriceN) << ','
            << Number(r.Summa) << ',' << Number(r.Weight) << "\r\n";
    }
    out << ",Итого,,,,,," << CsvField(model.StSumma()) << ',' << CsvField(model.StAllWeight()) << "\r\n";
}

void PrintJson(const prices::MainFormModel& model, std::ostream& out) {
    const calc::DsMaterial& ds = model.State().sheet;
    out << "{\"rows\":[";
    for (int i = 0; i < ds.RecordCount(); ++i) {
        const calc::SheetRow& r = ds.Row(i);
        if (i > 0)
            out << ',';
        out << "{\"Id\":" << r.Id << ",\"Name\":" << JsonString(r.Name) << ",\"Size\":" << JsonString(r.Size)
            << ",\"AmountS\":" << JsonNumber(r.AmountS) << ",\"AmountN\":" << JsonNumber(r.AmountN)
            << ",\"PriceS\":" << JsonNumber(r.PriceS) << ",\"PriceN\":" << JsonNumber(r.PriceN)
            << ",\"Summa\":" << JsonNumber(r.Summa) << ",\"Weight\":" << JsonNumber(r.Weight) << '}';
    }
    out << "],\"StSumma\":" << JsonString(model.StSumma()) << ",\"StAllWeight\":" << JsonString(model.StAllWeight())
        << "}\n";
}

} // namespace

int main(int argc, char** argv) {
#ifdef RASCHET_WITH_PRINT
    // The PDF writer takes its fonts from the GUI application; without a display it runs offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    const QStringList args = QCoreApplication::arguments().mid(1);

    std::optional<QString> settingsFile;
    std::optional<QString> pdfFile;
    bool json = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg == QLatin1String("--settings")) {
            if (i + 1 >= args.size()) {
                std::cerr << "raschet-sheet: после --settings нужно имя файла\n" << kUsage;
                return kExitUsage;
            }
            settingsFile = args[++i];
#ifdef RASCHET_WITH_PRINT
        } else if (arg == QLatin1String("--pdf")) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty()) {
                std::cerr << "raschet-sheet: после --pdf нужно имя файла\n" << kUsage;
                return kExitUsage;
            }
            pdfFile = args[++i];
#endif
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::cout << kUsage;
            return 0;
        } else {
            std::cerr << "raschet-sheet: неизвестный параметр '" << arg.toStdString() << "'\n" << kUsage;
            return kExitUsage;
        }
    }

    prices::StoredValues stored;
    try {
        if (settingsFile) {
            const QFileInfo info(*settingsFile);
            if (!info.exists() || !info.isFile() || !info.isReadable()) {
                std::cerr << "raschet-sheet: не удается прочитать файл настроек '" << settingsFile->toStdString()
                          << "'\n";
                return kExitUsage;
            }
            stored = prices::FormStorage(*settingsFile).Restore();
        } else {
            stored = prices::FormStorage().Restore();
        }
    } catch (const prices::StorageError& e) {
        std::cerr << "raschet-sheet: " << e.what() << '\n';
        return kExitUsage;
    }

    prices::MainFormModel model(prices::UserDecimalSeparator());
    model.Restore(stored);
    try {
        model.Timer1Timer();
    } catch (const calc::ConversionError& e) {
        std::cerr << e.what() << '\n';
        return kExitConversion;
    }

#ifdef RASCHET_WITH_PRINT
    if (pdfFile) {
        const std::vector<calc::SheetRow> rows = print::SheetRows(model.Sheet());
        QString error;
        if (!print::WriteSpecificationPdf(print::BuildSpecificationPages(rows, model.DecimalSeparator()), *pdfFile,
                                          &error)) {
            std::cerr << "raschet-sheet: " << error.toStdString() << '\n';
            return kExitUsage;
        }
    }
#endif

    std::ostringstream out;
    if (json)
        PrintJson(model, out);
    else
        PrintCsv(model, out);
    std::cout << out.str();
    return std::cout.good() ? 0 : kExitUsage;
}
