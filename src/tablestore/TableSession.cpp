#include "TableSession.h"

#include <openssl/evp.h>

namespace mx {

namespace {

const QByteArray kKeySalt = QByteArrayLiteral("Mirvalex table store 1");
// The password is the program's own, so the derivation only has to turn it into a key;
// it runs once per session.
constexpr int kKeyIterations = 2000;
constexpr int kKeyLength = 32;

void wipe(QByteArray& bytes)
{
    if (!bytes.isEmpty()) {
        volatile char* p = bytes.data();
        for (qsizetype i = 0; i < bytes.size(); ++i)
            p[i] = 0;
    }
    bytes.clear();
}

} // namespace

QByteArray deriveKeyPbkdf2(const QByteArray& password, const QByteArray& salt, int iterations,
                           int length)
{
    // The library the tables are encrypted with computes the same function with the hash's
    // state kept between iterations, an order of magnitude faster than a fresh HMAC each
    // round; this runs before the first window is shown.
    QByteArray out(length, '\0');
    if (PKCS5_PBKDF2_HMAC(password.constData(), int(password.size()),
                          reinterpret_cast<const unsigned char*>(salt.constData()),
                          int(salt.size()), iterations, EVP_sha256(), length,
                          reinterpret_cast<unsigned char*>(out.data())) != 1)
        return QByteArray();
    return out;
}

void TableSession::addPassword(const QString& password)
{
    QByteArray utf8 = password.toUtf8();
    QByteArray key = deriveKeyPbkdf2(utf8, kKeySalt, kKeyIterations, kKeyLength);
    wipe(utf8);
    wipe(m_key);
    m_key = key;
    wipe(key);
}

void TableSession::forgetAllPasswords()
{
    wipe(m_key);
}

QByteArray TableSession::tableKey()
{
    if (m_key.isEmpty() && onPassword) {
        bool retry = false;
        onPassword(*this, retry);
        if (!retry)
            return QByteArray();
    }
    return m_key;
}

} // namespace mx
