#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace mx {

// A session of the table store: its name, lock retry policy and the passwords given to it.
// The tables' key is derived from the password once per session, so opening several
// tables costs one derivation.
class TableSession
{
public:
    // Asked when a table needs a password the session does not have; setting `retry`
    // to true opens the table again with whatever passwords were added.
    using PasswordEvent = std::function<void(TableSession& session, bool& retry)>;

    explicit TableSession(const QString& name) : m_name(name) {}
    ~TableSession() { forgetAllPasswords(); }
    TableSession(const TableSession&) = delete;
    TableSession& operator=(const TableSession&) = delete;

    const QString& name() const { return m_name; }

    int lockRetryCount = 15;
    int lockWaitMs = 100;
    PasswordEvent onPassword;

    void addPassword(const QString& password);
    // Wipes the key material from memory.
    void forgetAllPasswords();
    bool hasPassword() const { return !m_key.isEmpty(); }

    // The raw 256-bit key of the tables; empty when no password was given. Asks the
    // password event once when needed.
    QByteArray tableKey();

private:
    QString m_name;
    QByteArray m_key;
};

// PBKDF2 with HMAC-SHA256.
QByteArray deriveKeyPbkdf2(const QByteArray& password, const QByteArray& salt, int iterations,
                           int length);

} // namespace mx
