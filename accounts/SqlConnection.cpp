#include "accounts/SqlConnection.h"

#include "accounts/SqlError.h"

#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QUrl>

#include <exception>
#include <optional>

namespace {

std::atomic<int> connectionCounter{0};

// "file:///abs/path?mode=rw": with the URI form SQLite refuses to create a
// missing file instead of silently making an empty one.
QString sqliteUri(const QString &path)
{
    const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    return url.toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw");
}

// One value of an ODBC connection string. A value holding ';' (or starting
// with '{') goes in braces; the driver ends a braced value at "};", so such a
// value may not hold '}' at all.
std::optional<QString> odbcValue(const QString &value)
{
    if (!value.contains(QLatin1Char(';')) && !value.startsWith(QLatin1Char('{')))
        return value;
    if (value.contains(QLatin1Char('}')))
        return std::nullopt;
    return QLatin1Char('{') + value + QLatin1Char('}');
}

// DataSource is "host", "host:port" or "host,port"; the port defaults to 1433.
std::optional<QString> odbcConnectionString(const TDatabaseCredentials &c)
{
    QString host = c.DataSource.trimmed();
    QString port = QStringLiteral("1433");
    qsizetype sep = host.lastIndexOf(QLatin1Char(','));
    if (sep < 0 && host.count(QLatin1Char(':')) == 1)
        sep = host.indexOf(QLatin1Char(':'));
    if (sep >= 0) {
        port = host.mid(sep + 1).trimmed();
        host = host.left(sep).trimmed();
        bool ok = false;
        const int number = port.toInt(&ok);
        if (!ok || number < 1 || number > 65535)
            return std::nullopt;
        port = QString::number(number);
    }
    if (host.isEmpty())
        return std::nullopt;
    const auto server = odbcValue(host);
    const auto database = odbcValue(c.Database);
    const auto user = odbcValue(c.Username);
    const auto password = odbcValue(c.Password);
    if (!server || !database || !user || !password)
        return std::nullopt;
    return QStringLiteral("DRIVER={FreeTDS};SERVER=%1;PORT=%2;DATABASE=%3;UID=%4;PWD=%5;"
                          "TDS_Version=7.4;ClientCharset=UTF-8")
        .arg(*server, port, *database, *user, *password);
}

// Text bound as a parameter never turns into NULL: a null QString is bound as
// empty text, so only an invalid QVariant stands for NULL.
QVariant boundValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        return QVariant(QStringLiteral(""));
    return value;
}

// The ":name" placeholders of a statement, found the way Qt finds them (not
// inside '...', "...", `...` or [...]; "::" is no placeholder).
QSet<QString> placeholderNames(const QString &text)
{
    auto isNameChar = [](QChar ch) { return ch.isLetterOrNumber() || ch == QLatin1Char('_'); };
    QSet<QString> names;
    QChar closingQuote;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (!closingQuote.isNull()) {
            if (ch == closingQuote) {
                if (closingQuote == QLatin1Char(']') && i + 1 < n && text.at(i + 1) == closingQuote)
                    ++i;
                else
                    closingQuote = QChar();
            }
        } else if (ch == QLatin1Char(':') && (i == 0 || text.at(i - 1) != QLatin1Char(':')) && i + 1 < n &&
                   isNameChar(text.at(i + 1))) {
            qsizetype end = i + 2;
            while (end < n && isNameChar(text.at(end)))
                ++end;
            names.insert(text.mid(i + 1, end - i - 1));
            i = end - 1;
        } else if (ch == QLatin1Char('\'') || ch == QLatin1Char('"') || ch == QLatin1Char('`')) {
            closingQuote = ch;
        } else if (ch == QLatin1Char('[')) {
            closingQuote = QLatin1Char(']');
        }
    }
    return names;
}

// Every placeholder gets a value and every value a placeholder: the drivers
// would otherwise bind NULL silently (SQLite) or fail on the count (ODBC).
void checkBindings(const SqlStatement &statement)
{
    const QSet<QString> inText = placeholderNames(statement.text);
    QSet<QString> bound;
    for (const auto &param : statement.params) {
        const QString name = param.first.startsWith(QLatin1Char(':')) ? param.first.mid(1) : param.first;
        if (!inText.contains(name))
            throw SqlError(QStringLiteral("The statement has no parameter :%1").arg(name));
        bound.insert(name);
    }
    for (const QString &name : inText) {
        if (!bound.contains(name))
            throw SqlError(QStringLiteral("The parameter :%1 has no value").arg(name));
    }
}

QString errorText(const QSqlError &error, const char *fallback)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QString::fromLatin1(fallback) : text;
}

} // namespace

// Owns the QSqlDatabase; every method runs on the connection's thread.
class SqlConnection::Worker : public QObject {
public:
    Worker(QString connectionName, std::atomic<bool> &connected)
        : m_name(std::move(connectionName)), m_connected(connected)
    {
    }

    // Opens and remembers the credentials, so that a connection lost later
    // can be opened again by the next statement.
    bool connect(const TDatabaseCredentials &credentials, int loginTimeoutSeconds)
    {
        m_credentials = credentials;
        m_loginTimeoutSeconds = loginTimeoutSeconds;
        m_everConnected = false;
        const bool opened = open(credentials, loginTimeoutSeconds);
        m_everConnected = opened;
        m_connected = opened;
        return opened;
    }

    void disconnect()
    {
        release();
        m_everConnected = false;
        m_connected = false;
    }

    bool open(const TDatabaseCredentials &credentials, int loginTimeoutSeconds)
    {
        release();
        if (!QSqlDatabase::isDriverAvailable(credentials.Driver))
            return false;
        bool opened = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(credentials.Driver, m_name);
            opened = db.isValid() && configure(db, credentials, loginTimeoutSeconds) && db.open() &&
                     probe(db, credentials);
            if (!opened)
                db.close();
        }
        if (!opened)
            QSqlDatabase::removeDatabase(m_name);
        return opened;
    }

    void release()
    {
        if (!QSqlDatabase::contains(m_name))
            return;
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }

    SqlResult query(const SqlStatement &statement)
    {
        QSqlQuery q = run(statement);
        QStringList columns;
        const QSqlRecord record = q.record();
        for (int i = 0; i < record.count(); ++i)
            columns.append(record.fieldName(i));
        QList<QList<QVariant>> rows;
        while (q.next()) {
            QList<QVariant> row;
            row.reserve(columns.size());
            for (int i = 0; i < columns.size(); ++i) {
                const QVariant v = q.value(i);
                row.append(v.isNull() ? QVariant() : v);
            }
            rows.append(std::move(row));
        }
        if (q.lastError().isValid())
            throw SqlError(errorText(q.lastError(), "Reading the rows failed"));
        return SqlResult(std::move(columns), std::move(rows));
    }

    int execute(const SqlStatement &statement) { return run(statement).numRowsAffected(); }

private:
    static bool configure(QSqlDatabase &db, const TDatabaseCredentials &c, int loginTimeoutSeconds)
    {
        if (c.Driver == QLatin1String("QSQLITE")) {
            if (c.DataSource.isEmpty())
                return false;
            db.setDatabaseName(sqliteUri(c.DataSource));
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=1000"));
            return true;
        }
        if (c.Driver == QLatin1String("QODBC")) {
            // User and password go inside the string: the driver would append
            // them without the quoting above.
            const auto connection = odbcConnectionString(c);
            if (!connection)
                return false;
            db.setDatabaseName(*connection);
            db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(loginTimeoutSeconds));
            return true;
        }
        db.setHostName(c.DataSource);
        db.setDatabaseName(c.Database);
        db.setUserName(c.Username);
        db.setPassword(c.Password);
        return true;
    }

    // SQLite opens lazily: read the file once, so that a file that is not a
    // database, lacks the tables, or is locked by another process fails here.
    static bool probe(QSqlDatabase &db, const TDatabaseCredentials &c)
    {
        if (c.Driver != QLatin1String("QSQLITE"))
            return true;
        QSqlQuery q(db);
        return q.exec(QStringLiteral("SELECT 1 FROM korisnici WHERE 1=0"));
    }

    // A database that went away after start (file removed, server stopped)
    // fails the statement at hand; once it is back, the next statement
    // connects again with the remembered credentials. Never creates a file.
    void ensureUsable()
    {
        const bool sqlite = m_credentials.Driver == QLatin1String("QSQLITE");
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isValid() && db.isOpen()) {
            // An open SQLite handle keeps reading a file that was deleted or
            // replaced; the file itself decides.
            if (sqlite && !QFileInfo::exists(m_credentials.DataSource)) {
                release();
                m_connected = false;
                throw SqlError(QStringLiteral("The database file is gone"));
            }
            return;
        }
        if (!m_everConnected || !open(m_credentials, m_loginTimeoutSeconds)) {
            m_connected = false;
            throw SqlError(QStringLiteral("The database is not connected"));
        }
        m_connected = true;
    }

    // After a failed statement: when the connection itself no longer answers,
    // drop it so the next statement opens a fresh one.
    void checkConnectionAfterFailure()
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (!db.isValid() || !db.isOpen())
            return;
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT 1"))) {
            release();
            m_connected = false;
        }
    }

    QSqlQuery run(const SqlStatement &statement)
    {
        ensureUsable();
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        checkBindings(statement);
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.prepare(statement.text))
            throw SqlError(errorText(q.lastError(), "Preparing the statement failed"));
        for (const auto &[name, value] : statement.params) {
            const QString placeholder = name.startsWith(QLatin1Char(':')) ? name : QLatin1Char(':') + name;
            q.bindValue(placeholder, boundValue(value));
        }
        if (!q.exec()) {
            const QString error = errorText(q.lastError(), "The statement failed");
            q = QSqlQuery();
            checkConnectionAfterFailure();
            throw SqlError(error);
        }
        return q;
    }

    QString m_name;
    std::atomic<bool> &m_connected;
    TDatabaseCredentials m_credentials;
    int m_loginTimeoutSeconds = SqlConnection::loginTimeoutSeconds;
    bool m_everConnected = false;
};

SqlConnection::SqlConnection(QObject *parent) : QObject(parent)
{
    const QString name = QStringLiteral("termovia-sql-%1").arg(connectionCounter.fetch_add(1));
    m_thread = new QThread;
    m_thread->setObjectName(name);
    m_worker = new Worker(name, m_connected);
    m_worker->moveToThread(m_thread);
    m_thread->start();
}

SqlConnection::~SqlConnection()
{
    runOnThread([this] { m_worker->release(); });
    m_connected = false;
    m_thread->quit();
    m_thread->wait();
    delete m_worker;
    delete m_thread;
}

template <typename Work> void SqlConnection::runOnThread(Work &&work)
{
    if (QThread::currentThread() == m_thread) {
        work();
        return;
    }
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        m_worker,
        [&] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
}

bool SqlConnection::ConnectSQL(const TDatabaseCredentials &credentials)
{
    bool opened = false;
    const int timeout = m_loginTimeoutSeconds.load();
    try {
        runOnThread([&] { opened = m_worker->connect(credentials, timeout); });
    } catch (...) {
        opened = false;
        m_connected = false;
    }
    return opened;
}

SqlResult SqlConnection::query(const SqlStatement &statement)
{
    SqlResult result;
    runOnThread([&] { result = m_worker->query(statement); });
    return result;
}

int SqlConnection::execute(const SqlStatement &statement)
{
    int affected = 0;
    runOnThread([&] { affected = m_worker->execute(statement); });
    return affected;
}

void SqlConnection::close()
{
    runOnThread([this] { m_worker->disconnect(); });
}
