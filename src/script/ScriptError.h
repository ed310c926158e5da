#pragma once

#include <QString>

#include <stdexcept>

namespace mx {

// A run-time failure of a script: a floating-point fault, a failing host function, or a
// script executed without a compiled program.
class ScriptError : public std::runtime_error
{
public:
    explicit ScriptError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace mx
