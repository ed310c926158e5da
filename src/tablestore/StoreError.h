#pragma once

#include <QString>

#include <stdexcept>

namespace mx {

// A table store operation that could not be carried out: missing or damaged files, a
// lock held by another process, a wrong password, a failed write.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace mx
