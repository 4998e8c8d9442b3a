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
    }
    QFile::setPermissions(m_path, ownerOnly);
    return true;
}

bool SettingsFile::writeValues(const QList<std::pair<QString, QVariant>> &values) const
{
    if (!prepareForWriting())
        return false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        {
            QSettings s(m_path, QSettings::IniFormat);
            for (const auto &[key, value] : values)
                s.setValue(key, value);
            s.sync();
            if (s.status() == QSettings::NoError) {
                QFile::setPermissions(m_path, ownerOnly);
                return true;
            }
            if (s.status() != QSettings::FormatError)
                return false;
        }
        // The file is damaged beyond what QSettings will write over: nothing in
        // it can be kept, so start it again empty.
        QFile f(m_path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        f.close();
    }
    return false;
}

bool SettingsFile::writeShutdown(const QString &language, int schematic, QPoint position) const
{
    return writeValues({{QStringLiteral("User/Language"), language},
                        {QStringLiteral("User/Schematic"), schematic},
                        {QStringLiteral("FormPosition/Left"), position.x()},
                        {QStringLiteral("FormPosition/Top"), position.y()}});
}

bool SettingsFile::writeLogin(const QString &name, const QString &pass, const QString &language) const
{
    return writeValues({{QStringLiteral("User/Name"), name},
                        {QStringLiteral("User/Pass"), pass},
                        {QStringLiteral("User/Language"), language}});
}
