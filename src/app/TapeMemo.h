#pragma once

#include "engine/TapeSink.h"

#include <QPlainTextEdit>

namespace mx {

// The history tape: a fixed-pitch, right-justified memo that the user may also edit. Lines
// are appended as blocks, so the cost of a line does not grow with the tape.
class TapeMemo : public QPlainTextEdit, public TapeSink
{
    Q_OBJECT

public:
    explicit TapeMemo(QWidget* parent);

    void appendLine(const QString& line) override;
    void clearTape() override;
    QStringList tapeLines() const override;

signals:
    void entered();
    void exited();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace mx
