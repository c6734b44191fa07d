#include "shell/artwork.h"

#include <QFile>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitArtworkResource() {
    static const bool done = [] {
        Q_INIT_RESOURCE(artwork);
        return true;
    }();
    Q_UNUSED(done);
}

namespace shell {

QString ArtworkPath(const char* fileName) {
    InitArtworkResource();
    return QStringLiteral(":/artwork/") + QString::fromLatin1(fileName);
}

QByteArray ArtworkBytes(const char* fileName) {
    QFile file(ArtworkPath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QPixmap ArtworkPixmap(const char* fileName) {
    return QPixmap(ArtworkPath(fileName));
}

namespace {

QIcon IconOf(std::initializer_list<const char*> fileNames) {
    QIcon icon;
    for (const char* name : fileNames)
        icon.addFile(ArtworkPath(name));
    return icon;
}

} // namespace

QIcon CalculatorIcon() {
    return IconOf({"calculator32.png", "calculator16.png"});
}
QIcon HelpBookIcon() {
    return IconOf({"help_book32.png", "help_book16.png"});
}
QIcon ContinueButtonIcon() {
    return IconOf({"tick16.png"});
}
QIcon RetryButtonIcon() {
    return IconOf({"retry16.png"});
}
QIcon CancelButtonIcon() {
    return IconOf({"cancel16.png"});
}
QIcon HelpButtonIcon() {
    return IconOf({"question16.png"});
}
QIcon ClearButtonIcon() {
    return IconOf({"broom16.png"});
}
QIcon PrintButtonIcon() {
    return IconOf({"printer16.png"});
}

} // namespace shell
