#pragma once

#include <QString>

#include <optional>

namespace mx {

// What a host function's declaration text says of it, for example
// "function M0d(X1, X2 : real) : real" gives the name M0d and two parameters.
struct FunctionDeclaration
{
    QString name;
    int paramCount = 0;
};

// Reads "function Name(A, B : type; C : type) : type"; the parameter list may be empty or
// left out. Gives nothing for any other text.
std::optional<FunctionDeclaration> parseFunctionDeclaration(const QString& text);

} // namespace mx
