#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real mosquitto broker on a free loopback port, started and stopped by the
// test itself. With a user name it refuses anonymous clients.
class BrokerProcess {
public:
    explicit BrokerProcess(QString user = {}, QString password = {});
    ~BrokerProcess();

    bool start();            // waits until the port accepts connections
    void kill();             // hard stop, as a crash would
    bool restart();          // same port again
    bool isRunning() const;

    quint16 port() const { return m_port; }
    QString host() const { return QStringLiteral("127.0.0.1"); }
    QString user() const { return m_user; }
    QString password() const { return m_password; }
    QByteArray log() const;

private:
    bool writeConfig();
    QTemporaryDir m_dir;
    QString m_user;
    QString m_password;
    quint16 m_port = 0;
    QProcess m_proc;
};
