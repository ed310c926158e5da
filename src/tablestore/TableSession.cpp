#include "TableSession.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>

#include <cstring>

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
    QByteArray out;
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password);
    for (quint32 block = 1; out.size() < length; ++block) {
        QByteArray counter(4, '\0');
        counter[0] = char(block >> 24);
        counter[1] = char(block >> 16);
        counter[2] = char(block >> 8);
        counter[3] = char(block);
        mac.reset();
        mac.addData(salt);
        mac.addData(counter);
        QByteArray u = mac.result();
        QByteArray t = u;
        for (int i = 1; i < iterations; ++i) {
            mac.reset();
            mac.addData(u);
            u = mac.result();
            for (qsizetype j = 0; j < t.size(); ++j)
                t[j] = char(t[j] ^ u[j]);
        }
        out += t;
    }
    out.truncate(length);
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
