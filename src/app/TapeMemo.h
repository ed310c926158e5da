#pragma once

#include "engine/TapeSink.h"

#include <QList>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <functional>

class QAction;

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
    void appendLines(const QStringList& lines) override;
    void clearTape() override;
    QStringList tapeLines() const override;
    qsizetype lineCount() const override;
    QString line(qsizetype index) const override;

    // The whole tape as one text, each line followed by a line feed (empty for no lines),
    // and back; the text's characters exactly, no-break spaces included.
    QString tapeText() const;
    void setTapeText(const QString& text);
    // Drops every line from the 0-based `count` on, as after an addition that was cancelled.
    void truncateTape(qsizetype count);
    // Shows the last lines; the caret stays where it is.
    void scrollToEnd();

    // Asked on a double-click with the clicked line's text and the character position in it;
    // when it answers true the click is taken and the caret stays where it was before it.
    std::function<bool(const QString& line, int column)> onDoubleClick;
    // Commands added below the editing commands of the context menu.
    void setContextActions(const QList<QAction*>& actions) { m_contextActions = actions; }

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool m_hasLines = false; // lines were written since the last clear
    bool m_writing = false;  // the tape itself is changing the document
    QTextCursor m_caretBeforePress;
    quint64 m_pressTime = 0;
    QList<QAction*> m_contextActions;
};

} // namespace mx
