#pragma once
// Unit Common: what every window uses to talk to the user — questions in the message window
// (MesDialog), errors in a standard box after a beep (ShowError), the guard that keeps exceptions out of
// Qt's event loop — and ReadFileVersion, which reads the version record the build writes into the
// program file.
//
// Texts: the QString overloads show their text as it is; the const char* overloads are printf formats
// (UTF-8), checked by the compiler. A text that came from the user must go through a QString overload,
// so a '%' in it is never taken for a placeholder.

#include <QString>
#include <QtGlobal>

#include <exception>
#include <functional>
#include <utility>

// Answer codes of the message window; a set of buttons is the OR of their codes.
inline constexpr int MesContinue = 1;
inline constexpr int MesCancel = 2;
inline constexpr int MesRetry = 4;

// The application title: the name the desktop shows and the caption of the exception box.
QString ApplicationTitle();

// Asks `text` in a new modal message window captioned "Сообщение" showing the buttons of the set
// `buttons` (MesButtons for that window; set MesDefaultButton before the call to choose another default
// button than Продолжить). Returns the answer: MesContinue, MesCancel or MesRetry.
int MesDialog(int buttons, const QString& text);
int MesDialog(int buttons, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Beeps and shows "Ошибка: " + text in a box captioned "Ошибка" with one OK button and no icon; waits
// for it. Always returns 0.
int ShowError(const QString& text);
int ShowError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Who shows ShowError's box. Tests replace it to observe the message without a modal loop.
using ErrorPresenter = std::function<void(const QString& caption, const QString& text)>;
// Installs `presenter` (an empty one restores the standard box) and returns the one it replaces.
ErrorPresenter SetErrorPresenter(ErrorPresenter presenter);

// The standard error box for an exception that reached a handler: critical icon, one OK button,
// captioned with the application title. Never throws.
void ShowExceptionBox(const QString& message) noexcept;
QString ExceptionMessage(const std::exception_ptr& error);

// Runs a handler's body; an exception it throws is shown in the exception box and goes no further, so
// none ever crosses Qt's event loop. Every event handler that can throw runs its work through this.
template <typename Body> void RunGuarded(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
        ShowExceptionBox(ExceptionMessage(std::current_exception()));
    }
}

// Reads the four numbers of the version record of the ELF file `module` (section ".raschet_version").
// True when read; false, with the numbers untouched, for a missing or unreadable file, a file without a
// record, or a full file name longer than 255 characters.
bool ReadFileVersion(const QString& module, quint16& major, quint16& minor, quint16& release, quint16& build);
