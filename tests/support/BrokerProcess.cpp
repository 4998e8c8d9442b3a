#include "support/BrokerProcess.h"

#include "support/FreePort.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTcpSocket>
#include <QThread>

BrokerProcess::BrokerProcess(QString user, QString password)
    : m_user(std::move(user)), m_password(std::move(password))
{
    m_proc.setProcessChannelMode(QProcess::MergedChannels);
}

BrokerProcess::~BrokerProcess()
{
    kill();
}

bool BrokerProcess::writeConfig()
{
    QFile conf(m_dir.filePath(QStringLiteral("mosquitto.conf")));
    if (!conf.open(QIODevice::WriteOnly))
        return false;
    QByteArray text;
    text += "listener " + QByteArray::number(m_port) + " 127.0.0.1\n";
    text += "persistence false\nlog_dest stderr\nuser root\n";
    if (m_user.isEmpty()) {
        text += "allow_anonymous true\n";
    } else {
        const QString pwFile = m_dir.filePath(QStringLiteral("passwd"));
        if (!QFile::exists(pwFile)) {
            const int rc = QProcess::execute(QStringLiteral("mosquitto_passwd"),
                                             {QStringLiteral("-c"), QStringLiteral("-b"), pwFile, m_user, m_password});
            if (rc != 0)
                return false;
            QFile::setPermissions(pwFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
        text += "allow_anonymous false\npassword_file " + pwFile.toUtf8() + "\n";
    }
    return conf.write(text) == text.size();
}

bool BrokerProcess::start()
{
    if (!m_dir.isValid())
        return false;
    if (m_port == 0)
        m_port = freeLoopbackPort();
    if (m_port == 0 || !writeConfig())
        return false;
    m_proc.start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), m_dir.filePath(QStringLiteral("mosquitto.conf"))});
    if (!m_proc.waitForStarted(5000))
        return false;
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, m_port);
        if (probe.waitForConnected(200))
            return true;
        if (m_proc.state() != QProcess::Running)
            return false;
        QThread::msleep(10);
    }
    return false;
}

void BrokerProcess::kill()
{
    if (m_proc.state() != QProcess::NotRunning) {
        m_proc.kill();
        m_proc.waitForFinished(3000);
    }
}

bool BrokerProcess::restart()
{
    kill();
    return start();
}

bool BrokerProcess::isRunning() const
{
    return m_proc.state() == QProcess::Running;
}

QByteArray BrokerProcess::log() const
{
    return const_cast<QProcess &>(m_proc).readAll();
}
