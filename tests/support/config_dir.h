#pragma once
// A private configuration directory for one test: XDG_CONFIG_HOME and QSettings' user INI path point
// into a fresh temporary folder for the fixture's life.

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

inline void PointSettingsAt(const QString& dir) {
    qputenv("XDG_CONFIG_HOME", dir.toUtf8());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir);
}

class ScopedConfigDir {
  public:
    ScopedConfigDir() : m_old(qgetenv("XDG_CONFIG_HOME")) { PointSettingsAt(m_dir.path()); }
    ~ScopedConfigDir() { PointSettingsAt(QString::fromUtf8(m_old)); }
    ScopedConfigDir(const ScopedConfigDir&) = delete;
    ScopedConfigDir& operator=(const ScopedConfigDir&) = delete;

    QString Path() const { return m_dir.path(); }
    // The file the program keeps its stored values in.
    QString IniFile() const { return m_dir.path() + QStringLiteral("/Brovalin.ini"); }

  private:
    QTemporaryDir m_dir;
    QByteArray m_old;
};

} // namespace testsupport
