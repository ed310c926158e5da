#pragma once

#include "engine/NumberSeparators.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace mx {

class AppKeyFilter;
class HelpViewer;
class KeptTape;
class MainCommands;
class MessagePort;
class ScriptScope;
class TableSavedState;
class TapeKeeper;
class TdmMxData;
class TfmMxMain;

// The running program: the data module over BASEDIR/Data, the saved state, the help, the
// main window with its commands, and the application's key filter. The program and the
// window tests start it through the same routine.
class AppShell
{
public:
    AppShell(MessagePort& messages, const QString& baseDir, const NumberSeparators& seps,
             const QStringList& helpDirs);
    ~AppShell();
    AppShell(const AppShell&) = delete;
    AppShell& operator=(const AppShell&) = delete;

    // Opens the data module, then creates the main window, which loads the saved state. A
    // failure of either shows its one message and returns false, with nothing written.
    bool start();
    // Shows the main window, as the program does once started.
    void show();

    // Before start() the tables may still be set up (tests make one read-only).
    TdmMxData& data() { return *m_data; }
    HelpViewer& help() { return *m_help; }
    // Null until started.
    TfmMxMain* window() const { return m_window.get(); }
    MainCommands* commands() const { return m_commands.get(); }
    TapeKeeper* tapeKeeper() const { return m_keeper.get(); }

private:
    MessagePort& m_messages;
    NumberSeparators m_seps;
    // The engine's one global scope, shared by every formula of the run.
    std::unique_ptr<ScriptScope> m_scripts;
    std::unique_ptr<HelpViewer> m_help;
    std::unique_ptr<TdmMxData> m_data;
    std::unique_ptr<TableSavedState> m_saved;
    std::unique_ptr<KeptTape> m_keptTape;
    std::unique_ptr<AppKeyFilter> m_keyFilter;
    std::unique_ptr<TfmMxMain> m_window;
    std::unique_ptr<MainCommands> m_commands;
    std::unique_ptr<TapeKeeper> m_keeper;
};

} // namespace mx
