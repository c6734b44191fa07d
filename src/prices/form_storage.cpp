#include "prices/form_storage.h"

#include <QFileInfo>

namespace prices {

namespace {
constexpr const char* kPlacementKey = "MainForm/Placement";
constexpr const char* kVersionKey = "MainForm/StorageVersion";
constexpr int kStorageVersion = 1;

std::unique_ptr<QSettings> UserSettings() {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\Brovalin"),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brovalin"));
#endif
}
} // namespace

FormStorage::FormStorage() : m_settings(UserSettings()) {}

FormStorage::FormStorage(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

void FormStorage::CheckStatus(const char* what) const {
    switch (m_settings->status()) {
    case QSettings::NoError:
        return;
    case QSettings::AccessError:
        throw StorageError(std::string("Нет доступа к файлу настроек ") + m_settings->fileName().toStdString() +
                           " (" + what + ")");
    case QSettings::FormatError:
        throw StorageError(std::string("Файл настроек ") + m_settings->fileName().toStdString() +
                           " поврежден (" + what + ")");
    }
}

StoredValues FormStorage::Restore() const {
    CheckStatus("чтение");
    const QFileInfo file(m_settings->fileName());
    if (file.exists() && !file.isReadable())
        throw StorageError("Нет доступа к файлу настроек " + m_settings->fileName().toStdString() + " (чтение)");
    StoredValues values;
    for (const char* key : kStoredProperties) {
        const QVariant v = m_settings->value(QString::fromLatin1(key));
        if (!v.isValid())
            continue;
        // An unquoted comma in a hand-written INI file makes a list of the value: take it whole.
        const QString text = v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(','))
                                                                  : v.toString();
        values[key] = text.toStdString();
    }
    return values;
}

void FormStorage::Store(const StoredValues& values) {
    for (const char* key : kStoredProperties) {
        const auto it = values.find(key);
        if (it != values.end())
            m_settings->setValue(QString::fromLatin1(key), QString::fromStdString(it->second));
    }
    m_settings->setValue(QString::fromLatin1(kVersionKey), kStorageVersion);
    m_settings->sync();
    CheckStatus("запись");
}

QByteArray FormStorage::Placement() const { return m_settings->value(QString::fromLatin1(kPlacementKey)).toByteArray(); }

void FormStorage::StorePlacement(const QByteArray& geometry) {
    m_settings->setValue(QString::fromLatin1(kPlacementKey), geometry);
    m_settings->sync();
    CheckStatus("запись");
}

} // namespace prices
