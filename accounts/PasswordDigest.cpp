#include "accounts/PasswordDigest.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

QString PasswordDigest(const QString &password, const QString &salt)
{
    const QByteArray digest =
        QCryptographicHash::hash((password + salt).toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(digest.toHex());
}

QString NewPasswordSalt()
{
    // bounded() excludes its limit: n is 0 .. 2147483646.
    const quint32 n = QRandomGenerator::system()->bounded(quint32(2147483647));
    return PasswordDigest(QString::number(n), QString());
}
