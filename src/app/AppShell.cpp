#include "AppShell.h"

#include "AppKeyFilter.h"
#include "HelpViewer.h"
#include "MainCommands.h"
#include "TapeKeeper.h"
#include "TapeMemo.h"
#include "engine/CalcCore.h"
#include "store/KeptTape.h"
#include "script/ScriptScope.h"
#include "store/TableSavedState.h"
#include "store/TdmMxData.h"
#include "tablestore/StoreError.h"
#include "texts/Product.h"
#include "texts/WindowLook.h"
#include "TfmMxMain.h"

#include <QApplication>
#include <QTimer>

#include <future>

namespace mx {

AppShell::AppShell(MessagePort& messages, const QString& baseDir, const NumberSeparators& seps,
                   const QStringList& helpDirs)
    : m_messages(messages), m_seps(seps), m_scripts(std::make_unique<ScriptScope>()),
      m_help(std::make_unique<HelpViewer>(messages, helpDirs)),
      m_data(std::make_unique<TdmMxData>(messages, defaultDataFileList(), baseDir))
{
}

AppShell::~AppShell()
{
    if (m_keyFilter)
        qApp->removeEventFilter(m_keyFilter.get());
    // The tape is written before the window goes, and the window saves its state on
    // destruction, while the tables are still open.
    if (m_keeper)
        m_keeper->saveNow();
    m_keeper.reset();
    m_commands.reset();
    m_window.reset();
}

bool AppShell::start()
{
    // The data module comes first: without its tables no window opens and nothing is written.
    // Its files are checked and its tables opened (key derivation, locks, SQLCipher) on a
    // thread of their own while this one reads the font database for the window's
    // fixed-pitch face, the first font the window needs, which the window then finds loaded.
    // Any failure is reported here, before a window exists.
    auto opening = std::async(std::launch::async, [this] { return m_data->openTables(); });
    (void)fixedPitchFont();
    if (!m_data->reportOpening(opening.get()))
        return false;
    m_saved = std::make_unique<TableSavedState>(*m_data);
    try {
        m_window = std::make_unique<TfmMxMain>(m_messages, *m_saved, *m_saved, m_seps, *m_scripts);
    } catch (const StoreError& e) {
        // A store that opened but cannot be read or written as the start needs; the window
        // never existed, so it saves nothing.
        m_data->ReportOpenFailure(e);
        return false;
    }
    m_commands = std::make_unique<MainCommands>(*m_window, m_messages, *m_help, *m_data);
    // The kept tape, if any, comes back before the window is first shown; its existence is
    // the setting "Сохранять историю".
    m_keptTape = std::make_unique<KeptTape>(m_data->ssMain, m_data->dataDirectory());
    m_keeper = std::make_unique<TapeKeeper>(*m_keptTape, *m_window->meClsHistory, m_messages);
    m_window->core().settings.KeepHistory = m_keeper->restore();
    m_commands->setTapeKeeper(m_keeper.get());
    m_window->setWindowTitle(productTitle());

    m_keyFilter =
        std::make_unique<AppKeyFilter>([this](int context) { m_help->showContext(context); });
    TfmMxMain* window = m_window.get();
    m_keyFilter->setPreview(window, [window](const QKeyEvent& key) { window->FormKeyPress(key); });
    qApp->installEventFilter(m_keyFilter.get());
    return true;
}

void AppShell::show()
{
    m_window->show();
    // A kept tape opens at its end, which the tape can only scroll to once it is laid out.
    if (m_keeper && m_keeper->keeping())
        QTimer::singleShot(0, m_window->meClsHistory, &TapeMemo::scrollToEnd);
    QApplication::setApplicationName(productName());
}

} // namespace mx
