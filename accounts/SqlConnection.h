#pragma once

#include "accounts/SqlResult.h"
#include "accounts/SqlStatement.h"
#include "accounts/TDatabaseCredentials.h"

#include <QObject>
#include <atomic>
#include <memory>

class QThread;

// The program's one database connection. It lives on a thread of its own and
// every statement runs there, one at a time; callers on any thread wait for
// their statement's result. Connecting has a bounded login time.
class SqlConnection : public QObject {
    Q_OBJECT
public:
    explicit SqlConnection(QObject *parent = nullptr);
    ~SqlConnection() override;

    // Closes the connection if open, then opens it with the credentials.
    // Returns false on any failure (nothing is raised): an unreachable
    // server, a refused login, a missing SQLite file (never created), a
    // locked one. Blocks the calling thread until done.
    bool ConnectSQL(const TDatabaseCredentials &credentials);

    // Whether the last ConnectSQL succeeded and the connection was not closed since.
    bool isConnected() const { return m_connected.load(); }

    // Runs a SELECT and returns all its rows. Throws SqlError on failure.
    SqlResult query(const SqlStatement &statement);
    // Runs INSERT, UPDATE or DELETE; returns the number of rows affected.
    // Throws SqlError on failure.
    int execute(const SqlStatement &statement);

    void close();

    // Login time limit for servers that accept but never answer (seconds).
    static constexpr int loginTimeoutSeconds = 15;
    // Tests shorten the limit; the program keeps loginTimeoutSeconds.
    void setLoginTimeoutSeconds(int seconds) { m_loginTimeoutSeconds = seconds; }

private:
    class Worker;
    // Runs work on the connection's thread and waits for it; rethrows what it raised.
    template <typename Work> void runOnThread(Work &&work);
    QThread *m_thread = nullptr;
    Worker *m_worker = nullptr;
    std::atomic<bool> m_connected{false};
    std::atomic<int> m_loginTimeoutSeconds{loginTimeoutSeconds};
};
