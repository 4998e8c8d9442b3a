#pragma once

#include <QString>

// Lower-case hexadecimal SHA-256 of the UTF-8 bytes of the password followed
// by the salt (no separator): what korisnici.k_pass stores.
QString PasswordDigest(const QString &password, const QString &salt);

// A fresh salt: the digest (empty salt) of the decimal text of a random
// number from 0 to 2147483646, so always 64 lower-case hexadecimal digits.
QString NewPasswordSalt();
