#include "TapeKeeper.h"

#include "TapeMemo.h"
#include "store/KeptTape.h"
#include "tablestore/StoreError.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"

#include <QTextDocument>

namespace mx {

TapeKeeper::TapeKeeper(KeptTape& store, TapeMemo& tape, MessagePort& messages)
    : m_store(store), m_tape(tape), m_messages(messages)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kSaveDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &TapeKeeper::saveNow);
    connect(m_tape.document(), &QTextDocument::contentsChanged, this, &TapeKeeper::tapeChanged);
}

void TapeKeeper::report(const QString& what, const QString& reason)
{
    m_messages.ShowMsgDlg(what + QStringLiteral("\r\r") + reason, mkWarning, mbOKOnly,
                          hcTape);
}

bool TapeKeeper::restore()
{
    if (!m_store.exists())
        return false;
    m_keeping = true;
    try {
        const QString text = m_store.load();
        m_tape.setTapeText(text);
        m_tape.moveCursor(QTextCursor::End);
        m_tape.scrollToEnd();
        m_dirty = false;
    } catch (const StoreError& e) {
        report(QStringLiteral("Сохранённую историю прочитать нельзя, она удалена."), storeFailureText(e));
        m_store.remove();
        m_dirty = true;
        m_timer.start();
    }
    return true;
}

void TapeKeeper::setKeeping(bool keep)
{
    if (keep == m_keeping)
        return;
    m_keeping = keep;
    if (keep) {
        m_dirty = true;
        saveNow();
        return;
    }
    m_timer.stop();
    m_dirty = false;
    if (!m_store.remove())
        report(QStringLiteral("Сохранённую историю удалить не удалось."),
               QStringLiteral("Файлы Data/Tape.Dat и Data/Tape.Idx остались на диске."));
}

void TapeKeeper::tapeChanged()
{
    if (!m_keeping)
        return;
    m_dirty = true;
    // Not restarted by later changes: the write follows the first change within the delay.
    if (!m_timer.isActive())
        m_timer.start();
}

void TapeKeeper::saveNow()
{
    m_timer.stop();
    if (!m_keeping || !m_dirty)
        return;
    try {
        m_store.save(m_tape.tapeText());
        m_dirty = false;
        m_failureShown = false;
    } catch (const StoreError& e) {
        if (!m_failureShown)
            report(QStringLiteral("История не сохранена."), storeFailureText(e));
        m_failureShown = true;
    }
}

} // namespace mx
