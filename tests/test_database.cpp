#include "accounts/PasswordDigest.h"
#include "accounts/SqlConnection.h"
#include "accounts/SqlError.h"
#include "accounts/TDatabaseCredentials.h"
#include "support/FreePort.h"
#include "support/TestDatabase.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTime>

#include <atomic>
#include <memory>

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TERMOVIA_TSAN 1
#endif
#endif
#if defined(__SANITIZE_THREAD__) || defined(TERMOVIA_TSAN)
// The tests start sqlite3 while the connection's thread runs; QProcess forks
// and executes at once, which is safe, so ThreadSanitizer need not stop there.
extern "C" const char *__tsan_default_options()
{
    return "die_after_fork=0";
}
#endif

namespace {

TDatabaseCredentials sqliteCredentials(const QString &path)
{
    TDatabaseCredentials c;
    c.Driver = QStringLiteral("QSQLITE");
    c.DataSource = path;
    c.Database = QStringLiteral("zazudavaro243");
    return c;
}

TDatabaseCredentials odbcCredentials(const QString &dataSource)
{
    TDatabaseCredentials c;
    c.Driver = QStringLiteral("QODBC");
    c.DataSource = dataSource;
    c.Database = QStringLiteral("zazudavaro243");
    c.Username = QStringLiteral("user");
    c.Password = QStringLiteral("pa;ss");
    return c;
}

bool odbcAvailable()
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        return false;
    QProcess p;
    p.start(QStringLiteral("odbcinst"), {QStringLiteral("-q"), QStringLiteral("-d")});
    p.waitForFinished(5000);
    return p.readAllStandardOutput().contains("[FreeTDS]");
}

QString cliQuery(const QString &path, const QString &sql)
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {path, sql});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString readSource(const QString &relative)
{
    QFile f(TestDatabase::sourceFile(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// Every column the program names, by table, with the kind it reads the column as:
// 't' text, 'i' integer, 'd' the archive's day, 'h' the archive's time of day, 'n' number.
struct TableColumns {
    const char *table;
    QList<QPair<QString, char>> columns;
};

QList<QPair<QString, char>> numbered(const QString &stem, int count, char kind)
{
    QList<QPair<QString, char>> out;
    for (int n = 1; n <= count; ++n)
        out.append({stem + QString::number(n), kind});
    return out;
}

QList<TableColumns> expectedSchema()
{
    QList<QPair<QString, char>> korisnici = {{"k_id", 'i'},         {"k_user", 't'},          {"k_pass", 't'},
                                             {"k_salt", 't'},       {"k_email", 't'},         {"k_tip", 'i'},
                                             {"k_avtomatika", 't'}, {"k_avtomatika_ime", 't'}};
    for (int n = 1; n <= 5; ++n) {
        korisnici.append({QStringLiteral("k_avtomatika_%1").arg(n), 't'});
        korisnici.append({QStringLiteral("k_avtomatika_%1_ime").arg(n), 't'});
    }
    QList<QPair<QString, char>> names = {{"DeviceID", 't'}};
    names += numbered("TempSensor", 5, 't');
    names += numbered("TempImg", 5, 'i');
    names += numbered("Relay", 5, 't');
    names += numbered("WantedTemp", 5, 't');
    names += numbered("CheckBoxDevice", 5, 't');
    names += numbered("TimerCheckBox", 5, 't');
    names += numbered("Plot", 4, 't');
    return {
        {"korisnici", korisnici},
        {"avtomatika",
         {{"id", 'i'}, {"ID_avtomatika", 't'}, {"ime", 't'}, {"majstor", 'i'}, {"majstor_ime", 't'}}},
        {"majstori",
         {{"ma_id", 'i'},
          {"ma_ime", 't'},
          {"ma_username", 't'},
          {"ma_pass", 't'},
          {"ma_lokacija", 't'},
          {"ma_tel", 't'}}},
        {"Schematic",
         {{"SchematicID", 'i'},
          {"SchematicNumber", 'i'},
          {"SchematicSubgroup", 't'},
          {"SchematicDescription", 't'},
          {"SchematicURL", 't'}}},
        {"schematics",
         {{"sch_schematic", 'i'},
          {"sch_regnum", 'i'},
          {"sch_group", 't'},
          {"sch_subgroup", 't'},
          {"sch_regname", 't'},
          {"sch_regval", 'i'},
          {"sch_minval", 'i'},
          {"sch_maxval", 'i'},
          {"sch_description", 't'},
          {"sch_visible", 'i'},
          {"sch_regtype", 'i'}}},
        {"Names", names},
        {"vivedidode",
         {{"ime", 't'},
          {"datum", 'd'},
          {"vreme", 'h'},
          {"T_Solar", 'n'},
          {"T_Bojler", 'n'},
          {"T_Kotel", 'n'},
          {"T_Spirala", 'n'}}},
        {"Versions",
         {{"VersionIsLatest", 'i'},
          {"VersionNumber", 't'},
          {"VersionLink", 't'},
          {"VersionTitle", 't'},
          {"VersionDescription", 't'}}},
        {"MailSenders",
         {{"MailSenderSMTPServer", 't'},
          {"MailSenderSMTPPort", 'i'},
          {"MailSenderUsername", 't'},
          {"MailSenderPassword", 't'},
          {"MailSenderTargetEmail", 't'}}},
    };
}

// Column name -> declared type of every CREATE TABLE in a T-SQL script.
QHash<QString, QHash<QString, QString>> parseTsqlTables(const QString &script)
{
    QHash<QString, QHash<QString, QString>> tables;
    static const QRegularExpression create(
        QStringLiteral(R"(CREATE\s+TABLE\s+(?:dbo\.)?(\w+)\s*\((.*?)\n\);)"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression column(QStringLiteral(R"(^\s*(\w+)\s+(\w+))"));
    for (auto it = create.globalMatch(script); it.hasNext();) {
        const auto match = it.next();
        QHash<QString, QString> &columns = tables[match.captured(1)];
        for (const QString &line : match.captured(2).split(QLatin1Char('\n'))) {
            const auto c = column.match(line);
            if (c.hasMatch() && c.captured(1) != QLatin1String("CONSTRAINT"))
                columns.insert(c.captured(1), c.captured(2).toUpper());
        }
    }
    return tables;
}

} // namespace

class TestDatabaseLayer : public QObject {
    Q_OBJECT
private slots:
    void connectsThroughAwkwardPaths_data();
    void connectsThroughAwkwardPaths();
    void reconnectReplacesTheOpenConnection();
    void databaseBackAfterOutage();
    void refusedSqliteFiles_data();
    void refusedSqliteFiles();
    void lockedFileIsRefused();
    void silentServerFailsWithinLoginTimeout_data();
    void silentServerFailsWithinLoginTimeout();
    void unreachableServerFailsFast_data();
    void unreachableServerFailsFast();
    void boundValuesRoundTrip_data();
    void boundValuesRoundTrip();
    void nullsReadAsEmptyAndZero();
    void missingColumnOrRowRaises();
    void integerReading_data();
    void integerReading();
    void failedStatementsRaiseAndCountsAreReported();
    void multiLineStatementWithRepeatedParameter();
    void statementsFromTwoThreadsAllComplete();
    void schemaScriptsHaveEveryColumn_data();
    void schemaScriptsHaveEveryColumn();
    void sqlServerScriptUsesUnicodeTextAndIdentity();
    void archiveStorageFitsTheArchiveStatement();
    void demoSeedIsConsistent();
    void digestVectors_data();
    void digestVectors();
    void saltsAreFreshDigests();
    void credentialsFromConfig();
};

void TestDatabaseLayer::connectsThroughAwkwardPaths_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain") << QStringLiteral("termovia.sqlite");
    QTest::newRow("URI characters") << QStringLiteral("a b#1?mode=ro&x=%20.sqlite");
    QTest::newRow("Cyrillic folder") << QStringLiteral("База податоци/termovia.sqlite");
}

void TestDatabaseLayer::connectsThroughAwkwardPaths()
{
    QFETCH(QString, fileName);
    TestDatabase db;
    QVERIFY(db.isValid());
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QVERIFY(QFile::copy(db.path(), path));

    SqlConnection connection;
    QVERIFY(!connection.isConnected());
    QVERIFY(connection.ConnectSQL(sqliteCredentials(path)));
    QVERIFY(connection.isConnected());
    connection.execute(SqlStatement("INSERT INTO Versions (VersionIsLatest, VersionNumber) VALUES (1, :v)")
                           .bind("v", "2.D.088"));
    const SqlResult r = connection.query(SqlStatement("SELECT * FROM Versions WHERE VersionIsLatest = 1"));
    QCOMPARE(r.rowCount(), 1);
    QCOMPARE(r.text(0, "VersionNumber"), QStringLiteral("2.D.088"));
    // Written to the file that was named, read-write despite "mode=ro" in the name.
    QCOMPARE(cliQuery(path, "SELECT VersionNumber FROM Versions"), QStringLiteral("2.D.088"));
    QCOMPARE(db.query("SELECT count(*) FROM Versions"), QStringLiteral("0"));
}

void TestDatabaseLayer::reconnectReplacesTheOpenConnection()
{
    TestDatabase first;
    TestDatabase second;
    QVERIFY(first.isValid() && second.isValid());
    QVERIFY(second.exec("INSERT INTO majstori (ma_username, ma_pass) VALUES ('second', 'x');"));

    SqlConnection connection;
    QVERIFY(connection.ConnectSQL(sqliteCredentials(first.path())));
    QCOMPARE(connection.query(SqlStatement("SELECT * FROM majstori")).rowCount(), 0);
    QVERIFY(connection.ConnectSQL(sqliteCredentials(second.path())));
    const SqlResult r = connection.query(SqlStatement("SELECT * FROM majstori"));
    QCOMPARE(r.rowCount(), 1);
    QCOMPARE(r.text(0, "ma_username"), QStringLiteral("second"));

    // A failed connect leaves no connection behind.
    QTemporaryDir dir;
    QVERIFY(!connection.ConnectSQL(sqliteCredentials(dir.filePath("missing.sqlite"))));
    QVERIFY(!connection.isConnected());
    QVERIFY_THROWS_EXCEPTION(SqlError, connection.query(SqlStatement("SELECT * FROM majstori")));

    QVERIFY(connection.ConnectSQL(sqliteCredentials(first.path())));
    connection.close();
    QVERIFY(!connection.isConnected());
    QVERIFY_THROWS_EXCEPTION(SqlError, connection.query(SqlStatement("SELECT * FROM majstori")));
}

void TestDatabaseLayer::databaseBackAfterOutage()
{
    TestDatabase db;
    QVERIFY(db.isValid());
    SqlConnection connection;
    QVERIFY(connection.ConnectSQL(sqliteCredentials(db.path())));
    const SqlStatement read("SELECT * FROM majstori");
    QCOMPARE(connection.query(read).rowCount(), 0);

    // The file goes away: statements fail (the open handle would otherwise
    // go on reading the deleted file), and nothing is created in its place.
    QVERIFY(QFile::rename(db.path(), db.path() + ".away"));
    QVERIFY_THROWS_EXCEPTION(SqlError, connection.query(read));
    QVERIFY(!connection.isConnected());
    QVERIFY_THROWS_EXCEPTION(SqlError, connection.query(read));
    QVERIFY(!QFile::exists(db.path()));

    // Back again: the next statement connects with the same credentials.
    QVERIFY(QFile::rename(db.path() + ".away", db.path()));
    QCOMPARE(connection.query(read).rowCount(), 0);
    QVERIFY(connection.isConnected());

    // After close() nothing reconnects by itself.
    connection.close();
    QVERIFY_THROWS_EXCEPTION(SqlError, connection.query(read));
}

void TestDatabaseLayer::refusedSqliteFiles_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // written unless null
    QTest::newRow("missing file") << QStringLiteral("missing.sqlite") << QByteArray();
    QTest::newRow("missing folder") << QStringLiteral("no/such/folder/termovia.sqlite") << QByteArray();
    QTest::newRow("not a database") << QStringLiteral("noise.sqlite")
                                    << QByteArray("this is a settings file, not a database\n").repeated(200);
    QTest::newRow("empty file") << QStringLiteral("empty.sqlite") << QByteArray("");
    QTest::newRow("empty name") << QString() << QByteArray();
}

void TestDatabaseLayer::refusedSqliteFiles()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = fileName.isEmpty() ? QString() : dir.filePath(fileName);
    if (!content.isNull()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    SqlConnection connection;
    QVERIFY(!connection.ConnectSQL(sqliteCredentials(path)));
    QVERIFY(!connection.isConnected());
    if (content.isNull()) {
        QVERIFY(path.isEmpty() || !QFile::exists(path));
        QVERIFY(!QFile::exists(dir.filePath("no")));
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), content.isNull() ? 0 : 1);
}

void TestDatabaseLayer::lockedFileIsRefused()
{
    TestDatabase db;
    QVERIFY(db.isValid());
    QTemporaryDir dir;
    const QString marker = dir.filePath("locked");

    // Another process takes the exclusive lock and keeps it while its input stays open.
    QProcess holder;
    holder.start("sqlite3", {db.path()});
    QVERIFY(holder.waitForStarted());
    holder.write(QStringLiteral("BEGIN EXCLUSIVE;\n.shell touch '%1'\n").arg(marker).toUtf8());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 5000);

    SqlConnection connection;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!connection.ConnectSQL(sqliteCredentials(db.path())));
    QVERIFY(!connection.isConnected());
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));

    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(5000));
    QVERIFY(connection.ConnectSQL(sqliteCredentials(db.path())));
}

void TestDatabaseLayer::silentServerFailsWithinLoginTimeout_data()
{
    QTest::addColumn<QString>("separator");
    QTest::newRow("host:port") << QStringLiteral(":");
    QTest::newRow("host,port") << QStringLiteral(",");
}

void TestDatabaseLayer::silentServerFailsWithinLoginTimeout()
{
    if (!odbcAvailable())
        QSKIP("QODBC with FreeTDS is not installed");
    QFETCH(QString, separator);
    QTcpServer silent; // accepts (the backlog completes the handshake) and never answers
    QVERIFY(silent.listen(QHostAddress::LocalHost, 0));

    SqlConnection connection;
    QCOMPARE(SqlConnection::loginTimeoutSeconds, 15);
    connection.setLoginTimeoutSeconds(2);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!connection.ConnectSQL(
        odbcCredentials("127.0.0.1" + separator + QString::number(silent.serverPort()))));
    const qint64 elapsed = timer.elapsed();
    QVERIFY(!connection.isConnected());
    QVERIFY2(elapsed >= 1500 && elapsed < 10000, qPrintable(QString::number(elapsed)));
    // The client did reach this server: the port was taken from DataSource.
    QVERIFY(silent.waitForNewConnection(0) || silent.hasPendingConnections());
}

void TestDatabaseLayer::unreachableServerFailsFast_data()
{
    QTest::addColumn<QString>("dataSource");
    const QString port = QString::number(freeLoopbackPort());
    QTest::newRow("host:port") << "127.0.0.1:" + port;
    QTest::newRow("host,port") << "127.0.0.1," + port;
    QTest::newRow("bad port") << QStringLiteral("127.0.0.1:99999");
    QTest::newRow("no host") << QStringLiteral(":1433");
}

void TestDatabaseLayer::unreachableServerFailsFast()
{
    if (!odbcAvailable())
        QSKIP("QODBC with FreeTDS is not installed");
    QFETCH(QString, dataSource);
    SqlConnection connection;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!connection.ConnectSQL(odbcCredentials(dataSource)));
    QVERIFY(!connection.isConnected());
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY_THROWS_EXCEPTION(SqlError, connection.query(SqlStatement("SELECT 1")));
}

void TestDatabaseLayer::boundValuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("quotes") << QStringLiteral("O'Neil \"x\" '' '); DROP TABLE korisnici;--");
    QTest::newRow("Cyrillic") << QStringLiteral("Викендица ЌЃЉЊЏЅ ѓќљњџѕ Е/E");
    QTest::newRow("long") << QStringLiteral("Куќа O'Neil ").repeated(20) + QStringLiteral("😀");
    QTest::newRow("placeholder-like") << QStringLiteral(":KUSER ? %1 \\ \r\n\t");
    QTest::newRow("empty") << QStringLiteral("");
    QTest::newRow("null string") << QString();
}

void TestDatabaseLayer::boundValuesRoundTrip()
{
    QFETCH(QString, value);
    TestDatabase db;
    QVERIFY(db.isValid());
    SqlConnection connection;
    QVERIFY(connection.ConnectSQL(sqliteCredentials(db.path())));

    const int inserted = connection.execute(
        SqlStatement("INSERT INTO korisnici (k_user, k_pass, k_salt, k_tip, k_avtomatika, k_avtomatika_ime) "
                     "VALUES (:user, 'p', 's', 0, 'TV1', :name)")
            .bind("user", "u")
            .bind(":name", value));
    QCOMPARE(inserted, 1);
    const SqlResult r = connection.query(
        SqlStatement("SELECT * FROM korisnici WHERE k_avtomatika_ime = :name").bind("name", value));
    QCOMPARE(r.rowCount(), 1);
    QCOMPARE(r.text(0, "k_avtomatika_ime"), value.isNull() ? QStringLiteral("") : value);
    if (value.size() > 200)
        QVERIFY(r.text(0, "k_avtomatika_ime").size() > 200);
    // Stored as the text itself (UTF-8 on disk), never as NULL.
    QCOMPARE(db.query("SELECT k_avtomatika_ime IS NULL, length(k_avtomatika_ime) FROM korisnici"),
             QStringLiteral("0|%1").arg(value.toUcs4().size()));
    QCOMPARE(db.query("SELECT count(*) FROM korisnici"), QStringLiteral("1"));
}

void TestDatabaseLayer::nullsReadAsEmptyAndZero()
{
    TestDatabase db;
    QVERIFY(db.isValid());
    QVERIFY(
        db.exec("INSERT INTO Names (DeviceID, TempSensor1, TempImg1, TempImg2) VALUES ('TV1', NULL, NULL, 7);"
                "INSERT INTO korisnici (k_user, k_pass, k_salt, k_avtomatika, k_avtomatika_1) "
                "VALUES ('u', 'p', 's', 'TV1', '');"));
    SqlConnection connection;
    QVERIFY(connection.ConnectSQL(sqliteCredentials(db.path())));
    const SqlResult names =
        connection.query(SqlStatement("SELECT * FROM Names WHERE DeviceID = :ADevID").bind("ADevID", "TV1"));
    QCOMPARE(names.text(0, "TempSensor1"), QString(""));
    QCOMPARE(names.integer(0, "TempImg1"), 0);
    QVERIFY(!names.value(0, "TempImg1").isValid());
    QCOMPARE(names.integer(0, "tempimg2"), 7);
    QCOMPARE(names.text(0, "TEMPIMG2"), QStringLiteral("7"));

    // A NULL slot and an empty-text slot read alike.
    const SqlResult user = connection.query(SqlStatement("SELECT * FROM korisnici"));
    QCOMPARE(user.text(0, "k_avtomatika_1"), QString(""));
    QCOMPARE(user.text(0, "k_avtomatika_2"), QString(""));
    QCOMPARE(user.text(0, "k_email"), QString(""));
}

void TestDatabaseLayer::missingColumnOrRowRaises()
{
    TestDatabase db;
    QVERIFY(db.isValid());
    QVERIFY(db.exec("INSERT INTO Names (DeviceID) VALUES ('TV1');"));
    SqlConnection connection;
    QVERIFY(connection.ConnectSQL(sqliteCredentials(db.path())));
    const SqlResult r = connection.query(SqlStatement("SELECT DeviceID, TempImg1 FROM Names"));
    QVERIFY(r.hasColumn("deviceid"));
    QVERIFY(!r.hasColumn("TempImg6"));
    QVERIFY_THROWS_EXCEPTION(SqlError, r.text(0, "TempSensor1"));
    QVERIFY_THROWS_EXCEPTION(SqlError, r.integer(0, "TempImg6"));
    QVERIFY_THROWS_EXCEPTION(SqlError, r.value(0, "Plot5"));
    QVERIFY_THROWS_EXCEPTION(SqlError, r.text(1, "DeviceID"));
    QVERIFY_THROWS_EXCEPTION(SqlError, r.integer(-1, "TempImg1"));
    const SqlResult none = connection.query(SqlStatement("SELECT * FROM Names WHERE DeviceID = 'nope'"));
    QVERIFY(none.isEmpty());
    QVERIFY(none.hasColumn("Plot4"));
    QVERIFY_THROWS_EXCEPTION(SqlError, none.text(0, "Plot4"));
}

void TestDatabaseLayer::integerReading_data()
{
    QTest::addColumn<QVariant>("cell");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<int>("expected");
    QTest::newRow("int") << QVariant(-42) << true << -42;
    QTest::newRow("long long") << QVariant(qlonglong(2147483647)) << true << 2147483647;
    QTest::newRow("whole double") << QVariant(3.0) << true << 3;
    QTest::newRow("digits") << QVariant(QStringLiteral(" 17 ")) << true << 17;
    QTest::newRow("NULL") << QVariant() << true << 0;
    QTest::newRow("typed NULL") << QVariant(QMetaType::fromType<int>()) << true << 0;
    QTest::newRow("fraction") << QVariant(2.5) << false << 0;
    QTest::newRow("too large") << QVariant(qlonglong(1) << 40) << false << 0;
    QTest::newRow("too small") << QVariant(qlonglong(-2147483649LL)) << false << 0;
    QTest::newRow("word") << QVariant(QStringLiteral("abc")) << false << 0;
    QTest::newRow("empty text") << QVariant(QStringLiteral("")) << false << 0;
    QTest::newRow("decimal text") << QVariant(QStringLiteral("4.0")) << false << 0;
    QTest::newRow("NaN") << QVariant(qQNaN()) << false << 0;
}

void TestDatabaseLayer::integerReading()
{
    QFETCH(QVariant, cell);
    QFETCH(bool, whole);
    QFETCH(int, expected);
    const SqlResult r({QStringLiteral("n")}, {{cell}});
    if (whole)
        QCOMPARE(r.integer(0, "N"), expected);
    else
        QVERIFY_THROWS_EXCEPTION(SqlError, r.integer(0, "n"));
}

void TestDatabaseLayer::failedStatementsRaiseAndCountsAreReported()
{
    TestDatabase db;
    QVERIFY(db.isValid());
    QVERIFY(db.exec("INSERT INTO korisnici (k_user, k_pass, k_salt, k_avtomatika) VALUES "
                    "('a', 'p', 's', 'TV1'), ('b', 'p', 's', 'TV1'), ('c', 'p', 's', 'TV2');"));
    SqlConnection connection;
    QVERIFY_THROWS_EXCEPTION(SqlError, connection.execute(SqlStatement("DELETE FROM korisnici")));
    QVERIFY(connection.ConnectSQL(sqliteCredentials(db.path())));

    try {
        connection.query(SqlStatement("SELEC * FROM korisnici"));
        QFAIL("no error raised");
    } catch (const SqlError &e) {
        QVERIFY2(e.text().contains("syntax error"), qPrintable(e.text()));
    }
    QVERIFY_THROWS_EXCEPTION(SqlError, connection.query(SqlStatement("SELECT * FROM avtomatiki")));
    // A parameter in the text that is never bound is an error, not a silent NULL,
    // and so is a value for a parameter the text does not have.
    QVERIFY_THROWS_EXCEPTION(SqlError,
                             connection.query(SqlStatement("SELECT * FROM korisnici WHERE k_user = :user")));
    QVERIFY_THROWS_EXCEPTION(SqlError,
                             connection.query(SqlStatement("SELECT * FROM korisnici WHERE k_user = :user")
                                                  .bind("user", "a")
                                                  .bind("USER", "a")));
    // Colons inside quotes, brackets and "::" are no parameters.
    QCOMPARE(connection
                 .query(SqlStatement("SELECT ':x' AS a, \"k_user\" AS [b:y], '12:30' AS c, 'O'':Neil' AS d "
                                     "FROM korisnici WHERE k_user = :u")
                            .bind("u", "a"))
                 .text(0, "c"),
             QStringLiteral("12:30"));
    // The unique user name refuses a second row with the same name (letter case aside).
    QVERIFY_THROWS_EXCEPTION(SqlError, connection.execute(SqlStatement(
                                           "INSERT INTO korisnici (k_user, k_pass, k_salt, k_avtomatika) "
                                           "VALUES ('A', 'p', 's', 'TV3')")));

    QCOMPARE(connection.execute(SqlStatement("UPDATE korisnici SET k_email = :e WHERE k_avtomatika = :a")
                                    .bind("e", "x@y")
                                    .bind("a", "TV1")),
             2);
    QCOMPARE(connection.execute(
                 SqlStatement("DELETE FROM korisnici WHERE k_avtomatika = :avtomatika AND k_user = :user")
                     .bind("avtomatika", "TV9")
                     .bind("user", "a")),
             0);
    QCOMPARE(connection.execute(
                 SqlStatement("DELETE FROM korisnici WHERE k_avtomatika = :avtomatika AND k_user = :user")
                     .bind("avtomatika", "TV2")
                     .bind("user", "c")),
             1);
    // The connection stays usable after errors.
    QCOMPARE(connection.query(SqlStatement("SELECT * FROM korisnici")).rowCount(), 2);
}

void TestDatabaseLayer::multiLineStatementWithRepeatedParameter()
{
    TestDatabase db;
    QVERIFY(db.isValid());
    QVERIFY(
        db.exec("INSERT INTO korisnici (k_user, k_pass, k_salt, k_tip, k_avtomatika, k_avtomatika_3) VALUES "
                "('admin1', 'p', 's', 0, 'TV1', NULL),"
                "('user1',  'p', 's', 1, 'TV2', NULL),"
                "('admin3', 'p', 's', 0, 'TV3', 'TV5');"));
    QStringList lines{QStringLiteral("SELECT * FROM korisnici WHERE k_avtomatika=:avtomatika AND k_tip=0")};
    for (int i = 1; i <= 5; ++i)
        lines.append(QStringLiteral("OR k_avtomatika_%1 = :avtomatika ").arg(i));
    const SqlStatement statement = SqlStatement::fromLines(lines);
    QCOMPARE(statement.text.count(QStringLiteral("\r\n")), 5);

    SqlConnection connection;
    QVERIFY(connection.ConnectSQL(sqliteCredentials(db.path())));
    auto matches = [&](const QString &serial) {
        SqlStatement s = statement;
        return connection.query(s.bind("avtomatika", serial)).rowCount();
    };
    QCOMPARE(matches("TV1"), 1); // administrator of its own account
    QCOMPARE(matches("TV2"), 0); // only a further user holds it
    QCOMPARE(matches("TV5"), 1); // in a slot
    QCOMPARE(matches("TV9"), 0);
}

void TestDatabaseLayer::statementsFromTwoThreadsAllComplete()
{
    TestDatabase db;
    QVERIFY(db.isValid());
    SqlConnection connection;
    QVERIFY(connection.ConnectSQL(sqliteCredentials(db.path())));

    constexpr int perThread = 100;
    std::atomic<int> failures{0};
    auto work = [&](const QString &prefix) {
        for (int i = 0; i < perThread; ++i) {
            try {
                const QString serial = prefix + QString::number(i);
                connection.execute(
                    SqlStatement("INSERT INTO avtomatika (ID_avtomatika, ime) VALUES (:id, :ime)")
                        .bind("id", serial)
                        .bind("ime", prefix));
                const SqlResult r = connection.query(
                    SqlStatement("SELECT * FROM avtomatika WHERE ID_avtomatika = :id").bind("id", serial));
                if (r.rowCount() != 1 || r.text(0, "ime") != prefix)
                    ++failures;
            } catch (const SqlError &) {
                ++failures;
            }
        }
    };
    std::unique_ptr<QThread> a(QThread::create(work, QStringLiteral("A")));
    std::unique_ptr<QThread> b(QThread::create(work, QStringLiteral("B")));
    a->start();
    b->start();
    work(QStringLiteral("M")); // and the creating thread at the same time
    QVERIFY(a->wait(60000));
    QVERIFY(b->wait(60000));
    QCOMPARE(failures.load(), 0);
    const SqlResult counts =
        connection.query(SqlStatement("SELECT ime, count(*) AS n FROM avtomatika GROUP BY ime ORDER BY ime"));
    QCOMPARE(counts.rowCount(), 3);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(counts.integer(row, "n"), perThread);
}

void TestDatabaseLayer::schemaScriptsHaveEveryColumn_data()
{
    QTest::addColumn<QString>("engine");
    QTest::newRow("SQLite") << QStringLiteral("sqlite");
    QTest::newRow("SQL Server") << QStringLiteral("sqlserver");
}

void TestDatabaseLayer::schemaScriptsHaveEveryColumn()
{
    QFETCH(QString, engine);
    // table -> column -> declared type
    QHash<QString, QHash<QString, QString>> actual;
    if (engine == QLatin1String("sqlite")) {
        TestDatabase db;
        QVERIFY(db.isValid());
        SqlConnection connection;
        QVERIFY(connection.ConnectSQL(sqliteCredentials(db.path())));
        const SqlResult tables =
            connection.query(SqlStatement("SELECT name FROM sqlite_master WHERE type = 'table' "
                                          "AND name NOT LIKE 'sqlite%'"));
        for (int t = 0; t < tables.rowCount(); ++t) {
            const QString table = tables.text(t, "name");
            const SqlResult columns = connection.query(
                SqlStatement("SELECT name, type FROM pragma_table_info(:t)").bind("t", table));
            for (int c = 0; c < columns.rowCount(); ++c)
                actual[table].insert(columns.text(c, "name"), columns.text(c, "type").toUpper());
        }
    } else {
        const QString script = readSource("db/sqlserver/schema.sql");
        QVERIFY(!script.isEmpty());
        actual = parseTsqlTables(script);
    }

    const bool sqlite = engine == QLatin1String("sqlite");
    const QHash<char, QStringList> allowed = {
        {'t', {sqlite ? "TEXT" : "NVARCHAR"}}, {'i', {sqlite ? "INTEGER" : "INT"}},
        {'d', {sqlite ? "TEXT" : "DATE"}},     {'h', {sqlite ? "TEXT" : "NVARCHAR"}},
        {'n', {sqlite ? "REAL" : "FLOAT"}},
    };
    const QList<TableColumns> expected = expectedSchema();
    QSet<QString> expectedTables;
    for (const TableColumns &table : expected) {
        expectedTables.insert(table.table);
        QVERIFY2(actual.contains(table.table), table.table);
        const auto &columns = actual.value(table.table);
        for (const auto &[column, kind] : table.columns) {
            QVERIFY2(columns.contains(column), qPrintable(QStringLiteral("%1.%2").arg(table.table, column)));
            QVERIFY2(
                allowed.value(kind).contains(columns.value(column)),
                qPrintable(QStringLiteral("%1.%2 is %3").arg(table.table, column, columns.value(column))));
        }
    }
    QCOMPARE(QSet<QString>(actual.keyBegin(), actual.keyEnd()), expectedTables);
    QCOMPARE(actual.value("Names").size(), 36); // the 35 named columns and a key
}

void TestDatabaseLayer::sqlServerScriptUsesUnicodeTextAndIdentity()
{
    const QString script = readSource("db/sqlserver/schema.sql");
    QVERIFY(!script.isEmpty());
    // Plain (VAR)CHAR and TEXT would lose Cyrillic on a server with a Latin collation.
    static const QRegularExpression narrowText(QStringLiteral(R"((?<![N\w])(VAR)?CHAR\s*\(|\bTEXT\b)"),
                                               QRegularExpression::CaseInsensitiveOption);
    QString code;
    for (const QString &line : script.split('\n'))
        code += line.section(QStringLiteral("--"), 0, 0) + '\n';
    QVERIFY2(!narrowText.match(code).hasMatch(), qPrintable(narrowText.match(code).captured(0)));
    QVERIFY(!code.contains("AUTOINCREMENT", Qt::CaseInsensitive));
    QVERIFY(code.contains(QRegularExpression(R"(k_id\s+INT\s+IDENTITY\(1,\s*1\)\s+NOT NULL)")));
    // Every CREATE ends its own batch; parentheses balance.
    QCOMPARE(code.count('('), code.count(')'));
    QCOMPARE(code.count(QRegularExpression(R"(\n\);\nGO\n)")), code.count("CREATE TABLE"));
}

void TestDatabaseLayer::archiveStorageFitsTheArchiveStatement()
{
    TestDatabase db(TestDatabase::Content::DemoSeed);
    QVERIFY(db.isValid());
    SqlConnection connection;
    QVERIFY(connection.ConnectSQL(sqliteCredentials(db.path())));
    const QDate today = QDate::currentDate();
    const QString archive =
        QStringLiteral("SELECT vreme, T_Solar, T_Bojler, T_Spirala, T_Kotel FROM vivedidode "
                       "WHERE ime=:ime AND datum=:datum ORDER BY vreme ASC");
    auto day = [&](const QDate &date) {
        return connection.query(SqlStatement(archive)
                                    .bind("ime", QStringLiteral("TV0001") + "/T")
                                    .bind("datum", date.toString(QStringLiteral("MM/dd/yyyy"))));
    };
    const SqlResult yesterday = day(today.addDays(-1));
    QCOMPARE(yesterday.rowCount(), 144);
    QCOMPARE(yesterday.text(0, "vreme"), QStringLiteral("00:00"));
    QCOMPARE(yesterday.text(143, "vreme"), QStringLiteral("23:50"));
    for (int row = 1; row < yesterday.rowCount(); ++row)
        QVERIFY(yesterday.text(row - 1, "vreme") < yesterday.text(row, "vreme"));
    const SqlResult now = day(today);
    QVERIFY(now.rowCount() >= 1);
    QVERIFY(now.text(now.rowCount() - 1, "vreme") <= QTime::currentTime().addSecs(60).toString("HH:mm"));
    QVERIFY(day(today.addDays(-3)).isEmpty());
    QVERIFY(!yesterday.text(70, "T_Solar").isEmpty());

    // Rows that would compare or sort wrongly are refused.
    QVERIFY(!db.exec("INSERT INTO vivedidode (ime, datum, vreme) VALUES ('X/T', '2024-05-17', '10:00');"));
    QVERIFY(!db.exec("INSERT INTO vivedidode (ime, datum, vreme) VALUES ('X/T', '05/17/2024', '9:05');"));
    QVERIFY(db.exec("INSERT INTO vivedidode (ime, datum, vreme) VALUES ('X/T', '05/17/2024', '09:05:30');"));
}

void TestDatabaseLayer::demoSeedIsConsistent()
{
    TestDatabase db(TestDatabase::Content::DemoSeed);
    QVERIFY(db.isValid());
    SqlConnection connection;
    QVERIFY(connection.ConnectSQL(TDatabaseCredentials::fromConfig(db.config())));

    static const QRegularExpression hex64(QStringLiteral("^[0-9a-f]{64}$"));
    const SqlResult users = connection.query(SqlStatement("SELECT * FROM korisnici ORDER BY k_id"));
    QCOMPARE(users.rowCount(), 3);
    for (int row = 0; row < users.rowCount(); ++row) {
        const QString salt = users.text(row, "k_salt");
        QVERIFY(hex64.match(salt).hasMatch());
        QCOMPARE(users.text(row, "k_pass"), PasswordDigest(QStringLiteral("demo1234"), salt));
        const SqlResult controller = connection.query(
            SqlStatement("SELECT ID_avtomatika FROM avtomatika WHERE ID_avtomatika = :avtomatika ")
                .bind("avtomatika", users.text(row, "k_avtomatika")));
        QCOMPARE(controller.rowCount(), 1);
    }
    QCOMPARE(users.text(0, "k_user"), QStringLiteral("demo"));
    QCOMPARE(users.integer(0, "k_tip"), 0);
    QCOMPARE(users.text(0, "k_avtomatika_ime"), QStringLiteral("Куќа"));
    QCOMPARE(users.text(1, "k_user"), QStringLiteral("marija"));
    QCOMPARE(users.integer(1, "k_tip"), 1);
    for (int row : {0, 1}) {
        QCOMPARE(users.text(row, "k_avtomatika"), QStringLiteral("TV0001"));
        QCOMPARE(users.text(row, "k_avtomatika_1"), QStringLiteral("TV0002"));
        QCOMPARE(users.text(row, "k_avtomatika_1_ime"), QStringLiteral("Викендица"));
        QCOMPARE(users.text(row, "k_avtomatika_2"), QString(""));
    }
    QCOMPARE(db.query("SELECT count(*) FROM korisnici WHERE k_avtomatika_5 IS NULL"), QStringLiteral("2"));
    QCOMPARE(users.text(2, "k_avtomatika_ime"), QStringLiteral("Стан"));

    const SqlResult installer =
        connection.query(SqlStatement("SELECT * FROM majstori WHERE ma_username= :MUSER AND ma_pass = :MPASS")
                             .bind("MUSER", "majstor")
                             .bind("MPASS", "majstor1234"));
    QCOMPARE(installer.rowCount(), 1);
    const SqlResult assigned =
        connection.query(SqlStatement::fromLines({"SELECT * FROM avtomatika ", "WHERE majstor = :MID"})
                             .bind("MID", installer.integer(0, "ma_id")));
    QCOMPARE(assigned.rowCount(), 5);

    const SqlResult schematics =
        connection.query(SqlStatement("SELECT * FROM Schematic ORDER BY SchematicNumber"));
    QList<int> numbers;
    for (int row = 0; row < schematics.rowCount(); ++row)
        numbers.append(schematics.integer(row, "SchematicNumber"));
    QCOMPARE(numbers, (QList<int>{1, 2, 10, 11, 12, 13, 15, 16, 18, 20, 21}));

    for (int schematic : {1, 10}) {
        const SqlResult regs = connection.query(SqlStatement(
            QStringLiteral("SELECT * FROM schematics WHERE sch_schematic = %1 AND sch_regtype = 0 "
                           "ORDER BY sch_regnum")
                .arg(schematic)));
        QVERIFY(regs.rowCount() >= 3);
        for (int row = 0; row < regs.rowCount(); ++row) {
            const int num = regs.integer(row, "sch_regnum");
            QVERIFY(num >= 31 && num <= 100);
            QVERIFY(regs.integer(row, "sch_minval") <= regs.integer(row, "sch_regval"));
            QVERIFY(regs.integer(row, "sch_regval") <= regs.integer(row, "sch_maxval"));
        }
    }

    const SqlResult names = connection.query(
        SqlStatement("SELECT * FROM Names WHERE DeviceID = :ADevID").bind("ADevID", "TV0001"));
    QCOMPARE(names.rowCount(), 1);
    QVERIFY(!names.text(0, "TempSensor1").isEmpty());
    QCOMPARE(names.integer(0, "TempImg3"), 0);
    QVERIFY(connection
                .query(SqlStatement("SELECT * FROM Names WHERE DeviceID = :ADevID").bind("ADevID", "TV0002"))
                .isEmpty());

    const SqlResult latest =
        connection.query(SqlStatement("SELECT * FROM Versions WHERE VersionIsLatest = 1"));
    QCOMPARE(latest.rowCount(), 1);
    QCOMPARE(latest.text(0, "VersionNumber"), QStringLiteral("2.D.088"));
    QCOMPARE(connection.query(SqlStatement("SELECT * FROM Versions")).rowCount(), 2);

    const SqlResult mail = connection.query(SqlStatement("SELECT * FROM MailSenders"));
    QCOMPARE(mail.rowCount(), 1);
    QCOMPARE(mail.text(0, "MailSenderSMTPServer"), QStringLiteral("127.0.0.1"));
    QCOMPARE(mail.integer(0, "MailSenderSMTPPort"), 2525);
    QCOMPARE(mail.text(0, "MailSenderUsername"), QStringLiteral("reports@termovia.local"));
    QCOMPARE(mail.text(0, "MailSenderTargetEmail"), QStringLiteral("support@termovia.local"));
}

void TestDatabaseLayer::digestVectors_data()
{
    // Expected values computed independently (sha256sum over the UTF-8 bytes).
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("salt");
    QTest::addColumn<QString>("digest");
    QTest::newRow("ASCII") << QStringLiteral("demo1234") << QStringLiteral("abc")
                           << QStringLiteral(
                                  "0e0bd35f91239c99513e995ea2f1dd1a2f0104f6f02d02f444bf1e9a880b43a0");
    QTest::newRow("Cyrillic") << QStringLiteral("лозинка") << QStringLiteral("сол")
                              << QStringLiteral(
                                     "2c4a94aaa77fd3ba7cd47ae75db5d325ae02a759ab3e0381d105178430e0c719");
    QTest::newRow("salt of 0") << QStringLiteral("0") << QString()
                               << QStringLiteral(
                                      "5feceb66ffc86f38d952786c6d696c79c2dbc239dd4e91b46729d73a27fb57e9");
    QTest::newRow("demo seed")
        << QStringLiteral("demo1234")
        << QStringLiteral("00649eb0118347931034f49346ed0c6d039a0031d59ed778158426498dd60d95")
        << QStringLiteral("c3890187b53356aa35c603fa30885a110d6af0ca9f412a6418471a7bd0defde7");
}

void TestDatabaseLayer::digestVectors()
{
    QFETCH(QString, password);
    QFETCH(QString, salt);
    QFETCH(QString, digest);
    QCOMPARE(PasswordDigest(password, salt), digest);
    // Password first, no separator: only the concatenation matters.
    QCOMPARE(PasswordDigest(password + salt, QString()), digest);
}

void TestDatabaseLayer::saltsAreFreshDigests()
{
    static const QRegularExpression hex64(QStringLiteral("^[0-9a-f]{64}$"));
    QSet<QString> seen;
    for (int i = 0; i < 50; ++i) {
        const QString salt = NewPasswordSalt();
        QVERIFY2(hex64.match(salt).hasMatch(), qPrintable(salt));
        seen.insert(salt);
    }
    QCOMPARE(seen.size(), 50);
}

void TestDatabaseLayer::credentialsFromConfig()
{
    DeploymentConfig config;
    config.dbDriver = QStringLiteral("QSQLITE");
    config.dbName = QStringLiteral("zazudavaro243");
    TDatabaseCredentials c = TDatabaseCredentials::fromConfig(config);
    QCOMPARE(c.Driver, QStringLiteral("QSQLITE"));
    QCOMPARE(c.DataSource, config.sqliteFile());
    QVERIFY(c.DataSource.endsWith(QStringLiteral("/termovia.sqlite")));
    config.dbSource = QStringLiteral("/data/x.sqlite");
    QCOMPARE(TDatabaseCredentials::fromConfig(config).DataSource, QStringLiteral("/data/x.sqlite"));

    config.dbDriver = QStringLiteral("QODBC");
    config.dbSource = QStringLiteral("db.example.test,1433");
    config.dbUser = QStringLiteral("abcd");
    config.dbPassword = QStringLiteral("abcdefg");
    c = TDatabaseCredentials::fromConfig(config);
    QCOMPARE(c.DataSource, QStringLiteral("db.example.test,1433"));
    QCOMPARE(c.Database, QStringLiteral("zazudavaro243"));
    QCOMPARE(c.Username, QStringLiteral("abcd"));
    QCOMPARE(c.Password, QStringLiteral("abcdefg"));
}

QTEST_GUILESS_MAIN(TestDatabaseLayer)
#include "test_database.moc"
