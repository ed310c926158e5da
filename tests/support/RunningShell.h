#pragma once

#include "TestDoubles.h"
#include "app/AppShell.h"

#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QTimer;

namespace mx {
class MainCommands;
class TdmMxData;
class TfmMxMain;
} // namespace mx

namespace mx::test {

// The program as it starts for a user, on a data folder of its own: the same start routine,
// the real tables, the real window with its tape and key filter; messages are recorded.
// A restart ends the run (the window saves its state) and starts again on the same folder.
class RunningShell
{
public:
    // The separators of the system locale, as the program takes them.
    explicit RunningShell(NumberSeparators seps = NumberSeparators::fromSystemLocale());
    // The program on the data folder of an earlier run (another process's, for instance).
    explicit RunningShell(const QString& baseDir);
    ~RunningShell();

    // Starts, shows and activates the main window; `beforeStart` may set up the tables first.
    bool start(const std::function<void(TdmMxData&)>& beforeStart = {});
    void stop();
    bool restart();

    TfmMxMain& window() const;
    MainCommands& commands() const;

    // Types on the keyboard into the focused control, as a user does: "\r" is Enter and
    // "\b" Backspace.
    void type(const char* text);
    // Clicks the keypad buttons of a blank-separated sequence, as "3 + 4 =".
    void click(const QString& sequence);
    QString display() const;
    QStringList tape() const;

    // Writes one field of the single record of a table of the data folder, as a stored
    // state left by an earlier run.
    void storeField(const QString& table, const QString& field, const QVariant& value);

    QString baseDir() const { return m_baseDir.isEmpty() ? m_dir.path() : m_baseDir; }

    const NumberSeparators& seps() const { return m_seps; }
    // A text written with "." as the decimal separator and "," as the group mark, as this run
    // shows it: "1,234.5" is "1 234,5" under a Russian locale.
    QString local(const QString& text) const;
    QStringList local(const QStringList& lines) const;

    // From now on every message is also shown in the program's own modal dialog, which a
    // key posted after about `closeAfterMs` closes with its default button (OK, Yes). Until
    // then the dialog's event loop runs, as it does for a user.
    void useRealDialogs(int closeAfterMs = 0);
    // How many real dialogs have been shown.
    int dialogsShown() const { return m_dialogsShown; }

    RecordingMessages messages;

private:
    NumberSeparators m_seps;
    QTemporaryDir m_dir;
    QString m_baseDir;
    int m_dialogsShown = 0;
    std::unique_ptr<QTimer> m_answerer;
    QPointer<QWidget> m_seen;
    std::unique_ptr<AppShell> m_shell;
};

} // namespace mx::test
