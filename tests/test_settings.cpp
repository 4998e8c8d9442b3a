#include "app/SettingsFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void missingFileGivesDefaults();
    void roundTrip();
    void brokenFiles_data();
    void brokenFiles();
    void unwritableFolderFailsQuietly();
    void fileIsPrivateAndKeepsUnknownKeys();
    void defaultPathIsPerUserConfig();
};

void TestSettings::missingFileGivesDefaults()
{
    QTemporaryDir dir;
    const StoredSettings s = SettingsFile(dir.filePath("Termovia/Termovia.ini")).read();
    QCOMPARE(s.name, QString());
    QCOMPARE(s.pass, QString());
    QCOMPARE(s.language, QStringLiteral("mk"));
    QCOMPARE(s.schematic, 1);
    QVERIFY(!s.left && !s.top);
}

void TestSettings::roundTrip()
{
    QTemporaryDir dir;
    SettingsFile file(dir.filePath("Termovia/Termovia.ini"));
    QVERIFY(file.writeLogin(QStringLiteral("Марија O'Neil, \"x\""), QStringLiteral("лозинка;=1"), QStringLiteral("de")));
    QVERIFY(file.writeShutdown(QStringLiteral("de"), 15, QPoint(-20, 300)));
    const StoredSettings s = file.read();
    QCOMPARE(s.name, QStringLiteral("Марија O'Neil, \"x\""));
    QCOMPARE(s.pass, QStringLiteral("лозинка;=1"));
    QCOMPARE(s.language, QStringLiteral("de"));
    QCOMPARE(s.schematic, 15);
    QCOMPARE(s.left.value_or(0), -20);
    QCOMPARE(s.top.value_or(0), 300);
}

void TestSettings::brokenFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray noise(4096, '\0');
    auto *rng = QRandomGenerator::global();
    for (char &c : noise)
        c = char(rng->bounded(256));
    QTest::newRow("random bytes") << noise;
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not numbers") << QByteArray("[User]\nSchematic=abc\n[FormPosition]\nLeft=x\nTop=\n");
}

void TestSettings::brokenFiles()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath("Termovia.ini");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    SettingsFile file(path);
    const StoredSettings s = file.read();
    QCOMPARE(s.schematic, 1);
    QVERIFY(!s.left && !s.top);
    // A later shutdown still writes what it must.
    QVERIFY(file.writeShutdown(QStringLiteral("mk"), 2, QPoint(5, 6)));
    QCOMPARE(file.read().schematic, 2);
}

void TestSettings::unwritableFolderFailsQuietly()
{
    // A path below a regular file can never be created, even by root.
    QTemporaryDir dir;
    QFile blocker(dir.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsFile file(dir.filePath("blocker/Termovia/Termovia.ini"));
    QVERIFY(!file.writeShutdown(QStringLiteral("mk"), 1, QPoint()));
    QVERIFY(!file.writeLogin(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("mk")));
    QCOMPARE(file.read().schematic, 1);
}

void TestSettings::fileIsPrivateAndKeepsUnknownKeys()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Termovia/Termovia.ini");
    {
        QDir().mkpath(dir.filePath("Termovia"));
        QSettings other(path, QSettings::IniFormat);
        other.setValue("Extra/Kept", "yes");
    }
    SettingsFile file(path);
    QVERIFY(file.writeLogin(QStringLiteral("u"), QStringLiteral("secret"), QStringLiteral("mk")));
    QCOMPARE(QFile::permissions(path) & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup | QFileDevice::WriteOther),
             QFileDevice::Permissions());
    QSettings check(path, QSettings::IniFormat);
    QCOMPARE(check.value("Extra/Kept").toString(), QStringLiteral("yes"));
}

void TestSettings::defaultPathIsPerUserConfig()
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    QCOMPARE(SettingsFile::defaultPath(), dir.path() + "/Termovia/Termovia.ini");
}

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
