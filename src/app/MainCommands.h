#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class QAction;
class QMenu;

namespace mx {

class FileDialogs;
class FormFactory;
class HelpViewer;
class HistoryOpening;
class MessagePort;
class Report;
class ReportPreview;
class StatLink;
class TapeKeeper;
class TdmMxData;
class TfmMxMain;

// The main window's menu commands and their handlers.
class MainCommands : public QObject
{
    Q_OBJECT

public:
    MainCommands(TfmMxMain& window, MessagePort& messages, HelpViewer& help, TdmMxData& data);
    ~MainCommands() override;

    QAction* File_OpenHistory;
    QAction* File_SaveHistoryAs;
    QAction* File_Print;
    QAction* File_Exit;
    QAction* Tools_Options;
    QAction* Tools_Clear;
    QAction* Tools_Recalculate;
    // Opens the statistics window as the key Sta does, for the keyboard.
    QAction* Tools_Statistics;
    QAction* Help_Contents;
    QAction* Help_VisitSite;
    QAction* Help_Support;
    QAction* Help_About;
    // Shortcuts of the window alone, in no menu: Ctrl+C and Ctrl+V on the input field. A
    // focused tape keeps them for its own text.
    QAction* Edit_Copy;
    QAction* Edit_Paste;

    FormFactory& forms() { return *m_forms; }
    // The program's file dialogs, each coming back to the folder it was last used in.
    FileDialogs& files() { return *m_files; }
    // The report that prints the tape, made at its first use: its picture costs a font the
    // window does not show. And the report's preview while one is open.
    Report& frRepClassic();
    ReportPreview* preview() const;
    StatLink& stats() { return *m_stats; }

    // Asks for a saved tape and opens it.
    void File_OpenHistoryExecute();
    // Appends the lines of the file `path` to the tape after a line naming it, showing the
    // tape; a refused file is reported with its name and cause. The lines arrive after the
    // call returns (opening() tells when).
    void File_OpenHistoryAccept(const QString& path);
    HistoryOpening& opening() { return *m_opening; }
    void File_SaveHistoryAsExecute();
    // Saves the tape to `path`; reports a failure and returns false.
    bool File_SaveHistoryAsAccept(const QString& path);
    // Fills the report's variables and its tape memo, prepares it and opens the preview.
    void File_PrintExecute();
    void Tools_OptionsExecute();
    void Tools_ClearExecute();
    // Recalculates the calculation of the tape's caret line and shows the tape's end.
    void Tools_RecalculateExecute();
    // Told of the setting "Сохранять историю" when the options are applied.
    void setTapeKeeper(TapeKeeper* keeper) { m_keeper = keeper; }
    void Help_AboutExecute();
    void Edit_CopyExecute();
    void Edit_PasteExecute();

private:
    QAction* command(const char* name, const QString& caption, QMenu* menu);
    QWidget* createOptions();

    TfmMxMain& m_window;
    MessagePort& m_messages;
    HelpViewer& m_help;
    std::shared_ptr<Report> m_report;
    std::unique_ptr<FileDialogs> m_files;
    std::unique_ptr<StatLink> m_stats;
    std::unique_ptr<FormFactory> m_forms;
    std::unique_ptr<HistoryOpening> m_opening;
    QPointer<ReportPreview> m_preview;
    TapeKeeper* m_keeper = nullptr;
};

} // namespace mx
