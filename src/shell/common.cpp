#include "shell/common.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>
#include <QtEndian>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "shell/elf_section.h"
#include "shell/mes_form.h"
#include "shell/version_record.h"

namespace {

// The Windows limit of a module's full name, which the version record has always been read under.
constexpr int kMaxModulePath = 255;

QString FormatText(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0)
        return QString::fromUtf8(format); // an unusable format is shown as it was written
    std::vector<char> buffer(std::size_t(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return QString::fromUtf8(buffer.data(), length);
}

void ShowStandardErrorBox(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

ErrorPresenter& Presenter() {
    static ErrorPresenter presenter = ShowStandardErrorBox;
    return presenter;
}

} // namespace

QString ApplicationTitle() {
    return QStringLiteral("Расчет материалов");
}

int MesDialog(int buttons, const QString& text) {
    MesButtons = buttons;
    auto* form = new TMesForm(nullptr, text, TMesForm::DefaultCaption()); // frees itself when closed
    return form->exec();
}

int MesDialog(int buttons, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const QString text = FormatText(format, args);
    va_end(args);
    return MesDialog(buttons, text);
}

int ShowError(const QString& text) {
    QApplication::beep();
    Presenter()(QStringLiteral("Ошибка"), QStringLiteral("Ошибка: ") + text);
    return 0;
}

int ShowError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const QString text = FormatText(format, args);
    va_end(args);
    return ShowError(text);
}

ErrorPresenter SetErrorPresenter(ErrorPresenter presenter) {
    ErrorPresenter previous = std::move(Presenter());
    Presenter() = presenter ? std::move(presenter) : ErrorPresenter(ShowStandardErrorBox);
    return previous;
}

QString ExceptionMessage(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Недостаточно памяти.");
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Неизвестная ошибка.");
    }
}

void ShowExceptionBox(const QString& message) noexcept {
    try {
        QMessageBox box(QMessageBox::Critical, ApplicationTitle(), message, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    } catch (...) {
        // Nothing is left to show it with; the event loop must still go on.
    }
}

bool ReadFileVersion(const QString& module, quint16& major, quint16& minor, quint16& release,
                     quint16& build) {
    const QString fullName = QFileInfo(module).absoluteFilePath();
    if (module.isEmpty() || fullName.size() > kMaxModulePath)
        return false;
    const std::optional<shell::ElfSection> section = shell::ReadElfSection(fullName, shell::kVersionSection);
    if (!section || section->data.size() < qsizetype(sizeof(shell::VersionRecord)))
        return false;
    shell::VersionRecord record;
    std::memcpy(&record, section->data.constData(), sizeof record);
    if (std::memcmp(record.magic, shell::kVersionMagic, sizeof record.magic) != 0)
        return false;
    const auto value = [&](quint16 v) {
        return section->bigEndian ? qFromBigEndian(v) : qFromLittleEndian(v);
    };
    major = value(record.major);
    minor = value(record.minor);
    release = value(record.release);
    build = value(record.build);
    return true;
}
