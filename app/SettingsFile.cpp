#include "app/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

std::optional<int> readInt(const QSettings &s, const QString &key)
{
    const QVariant v = s.value(key);
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

} // namespace

SettingsFile::SettingsFile(QString path) : m_path(std::move(path)) {}

QString SettingsFile::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Termovia/Termovia.ini");
}

StoredSettings SettingsFile::read() const
{
    StoredSettings out;
    QFileInfo info(m_path);
    if (!info.isFile() || !info.isReadable())
        return out;
    QSettings s(m_path, QSettings::IniFormat);
    if (s.status() != QSettings::NoError)
        return out;
    out.name = s.value(QStringLiteral("User/Name")).toString();
    out.pass = s.value(QStringLiteral("User/Pass")).toString();
    const QVariant lang = s.value(QStringLiteral("User/Language"));
    if (lang.isValid())
        out.language = lang.toString();
    out.schematic = readInt(s, QStringLiteral("User/Schematic")).value_or(1);
    out.left = readInt(s, QStringLiteral("FormPosition/Left"));
    out.top = readInt(s, QStringLiteral("FormPosition/Top"));
    return out;
}

bool SettingsFile::prepareForWriting() const
{
    QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    if (!info.exists()) {
        // Create it empty and private before QSettings writes the password into it.
        QFile f(m_path);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        f.close();
    } else if (QSettings(m_path, QSettings::IniFormat).status() == QSettings::FormatError) {
        // Not an INI file at all (damaged): nothing in it can be kept, and
        // QSettings refuses to write over it.
        QFile f(m_path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        f.close();
    }
    QFile::setPermissions(m_path, ownerOnly);
    return true;
}

bool SettingsFile::writeShutdown(const QString &language, int schematic, QPoint position) const
{
    if (!prepareForWriting())
        return false;
    QSettings s(m_path, QSettings::IniFormat);
    s.setValue(QStringLiteral("User/Language"), language);
    s.setValue(QStringLiteral("User/Schematic"), schematic);
    s.setValue(QStringLiteral("FormPosition/Left"), position.x());
    s.setValue(QStringLiteral("FormPosition/Top"), position.y());
    s.sync();
    QFile::setPermissions(m_path, ownerOnly);
    return s.status() == QSettings::NoError;
}

bool SettingsFile::writeLogin(const QString &name, const QString &pass, const QString &language) const
{
    if (!prepareForWriting())
        return false;
    QSettings s(m_path, QSettings::IniFormat);
    s.setValue(QStringLiteral("User/Name"), name);
    s.setValue(QStringLiteral("User/Pass"), pass);
    s.setValue(QStringLiteral("User/Language"), language);
    s.sync();
    QFile::setPermissions(m_path, ownerOnly);
    return s.status() == QSettings::NoError;
}
