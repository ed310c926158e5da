#pragma once

#include "engine/TapeSink.h"

#include <QPlainTextEdit>

namespace mx {

// The history tape: a fixed-pitch, right-justified memo that the user may also edit. It holds
// exactly the lines written, empty ones included; lines are appended as blocks, so the cost
// of a line does not grow with the tape.
class TapeMemo : public QPlainTextEdit, public TapeSink
{
    Q_OBJECT

public:
    TapeMemo(const QFont& font, QWidget* parent);

    void appendLine(const QString& line) override;
    void clearTape() override;
    QStringList tapeLines() const override;

signals:
    void entered();
    void exited();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_hasLines = false; // lines were written since the last clear
    bool m_writing = false;  // the tape itself is changing the document
};

} // namespace mx
