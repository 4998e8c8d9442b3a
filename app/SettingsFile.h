#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QVariant>
#include <optional>

// What the settings file "Termovia.ini" remembers between runs.
struct StoredSettings {
    QString name;                // User/Name: remembered login name
    QString pass;                // User/Pass: remembered password, as typed
    QString language = QStringLiteral("mk");  // User/Language
    int schematic = 1;           // User/Schematic
    std::optional<int> left;     // FormPosition/Left
    std::optional<int> top;      // FormPosition/Top
};

// The settings file. It is opened, read or written and closed on every call;
// nothing keeps it open. Failures never reach the caller: a missing or broken
// file reads as the defaults, a write that fails reports false and is otherwise
// silent. The file holds a password, so it is kept readable by its owner only.
class SettingsFile {
public:
    explicit SettingsFile(QString path = defaultPath());

    // <per-user config folder>/Termovia/Termovia.ini
    static QString defaultPath();

    const QString &path() const { return m_path; }

    StoredSettings read() const;

    // At shutdown: User/Language, User/Schematic, FormPosition/Left, FormPosition/Top.
    bool writeShutdown(const QString &language, int schematic, QPoint position) const;

    // At a successful owner login: User/Name, User/Pass, User/Language.
    bool writeLogin(const QString &name, const QString &pass, const QString &language) const;

private:
    bool prepareForWriting() const;
    bool writeValues(const QList<std::pair<QString, QVariant>> &values) const;
    QString m_path;
};
