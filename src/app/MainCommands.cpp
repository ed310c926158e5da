#include "MainCommands.h"

#include "FormFactory.h"
#include "HistoryOpening.h"
#include "HistoryReport.h"
#include "HelpViewer.h"
#include "StatLink.h"
#include "store/TdmMxData.h"
#include "texts/ApplyInterfaceText.h"
#include "texts/FileDialogs.h"
#include "texts/QuotedText.h"
#include "texts/Product.h"
#include "TapeKeeper.h"
#include "TapeMemo.h"
#include "TfmMxAbout.h"
#include "TfmMxMain.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"
#include "engine/CalcCore.h"
#include "keypad/Keypad.h"
#include "output/HistoryExport.h"
#include "store/TfmMxOptions.h"
#include "report/Report.h"
#include "report/ReportPreview.h"
#include "report/ReportProperty.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QUrl>
#include <QClipboard>
#include <QGuiApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace mx {

MainCommands::MainCommands(TfmMxMain& window, MessagePort& messages, HelpViewer& help,
                           TdmMxData& data)
    : m_window(window), m_messages(messages), m_help(help),
      m_files(std::make_unique<FileDialogs>(QFileInfo(data.dataDirectory()).absolutePath()))
{
    auto showHelp = [this](int context) { m_help.showContext(context); };
    m_stats = std::make_unique<StatLink>(window, data.taStat, data.share(), showHelp);
    std::map<QString, FormFactory::Creator> creators{
        {QStringLiteral("fmMxAbout"), [showHelp] { return new TfmMxAbout(showHelp); }},
        {QStringLiteral("fmMxOptions"), [this] { return createOptions(); }},
        {QStringLiteral("fmMxStat"), [this] { return m_stats->create(); }}};
    m_forms = std::make_unique<FormFactory>(messages, std::move(creators));
    m_stats->setForms(m_forms.get());
    m_stats->setFileDialogs(m_files.get());

    QMenuBar* bar = window.menuBar();
    bar->setAccessibleName(QStringLiteral("Главное меню"));
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnFile"));
    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnTools"));
    QMenu* helpMenu = bar->addMenu(QStringLiteral("&Help"));
    helpMenu->setObjectName(QStringLiteral("mnHelp"));

    File_OpenHistory = command("File_OpenHistory", QStringLiteral("Open history..."), file);
    File_OpenHistory->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    File_SaveHistoryAs = command("File_SaveHistoryAs", QStringLiteral("Save history as..."), file);
    File_Print = command("File_Print", QStringLiteral("Print..."), file);
    File_Print->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    File_Exit = command("File_Exit", QStringLiteral("Exit"), file);
    Tools_Options = command("Tools_Options", QStringLiteral("Options..."), tools);
    Tools_Options->setCheckable(true);
    Tools_Clear = command("Tools_Clear", QStringLiteral("Clear"), tools);
    Tools_Clear->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
    Tools_Recalculate = command("Tools_Recalculate", QStringLiteral("Recalculate"), tools);
    Tools_Recalculate->setShortcut(QKeySequence(Qt::Key_F9));
    window.meClsHistory->setContextActions({Tools_Recalculate});
    Tools_Statistics = command("Tools_Statistics", QStringLiteral("Statistics..."), tools);
    Tools_Statistics->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    connect(Tools_Statistics, &QAction::triggered, m_stats.get(), &StatLink::btStaClick);
    Help_Contents = command("Help_Contents", QStringLiteral("Contents     F1"), helpMenu);
    helpMenu->addSeparator();
    Help_VisitSite = command("Help_VisitSite", QStringLiteral("Web site"), helpMenu);
    Help_Support = command("Help_Support", QStringLiteral("Support"), helpMenu);
    helpMenu->addSeparator();
    Help_About = command("Help_About", QStringLiteral("About..."), helpMenu);

    Edit_Copy = command("Edit_Copy", QStringLiteral("Copy"), nullptr);
    Edit_Copy->setShortcut(QKeySequence::Copy);
    Edit_Paste = command("Edit_Paste", QStringLiteral("Paste"), nullptr);
    Edit_Paste->setShortcut(QKeySequence::Paste);
    for (QAction* a : {Edit_Copy, Edit_Paste}) {
        a->setShortcutContext(Qt::WindowShortcut);
        window.addAction(a);
    }
    connect(Edit_Copy, &QAction::triggered, this, &MainCommands::Edit_CopyExecute);
    connect(Edit_Paste, &QAction::triggered, this, &MainCommands::Edit_PasteExecute);

    m_opening = std::make_unique<HistoryOpening>(*window.meClsHistory, messages, &window,
                                                 [this] { m_window.cbClsHistory->setChecked(true); });
    connect(File_OpenHistory, &QAction::triggered, this, &MainCommands::File_OpenHistoryExecute);
    connect(File_SaveHistoryAs, &QAction::triggered, this,
            &MainCommands::File_SaveHistoryAsExecute);
    connect(File_Exit, &QAction::triggered, &window, &QWidget::close);
    connect(File_Print, &QAction::triggered, this, &MainCommands::File_PrintExecute);
    connect(window.button(KeyId::PH), &QPushButton::clicked, this, [this] {
        File_PrintExecute();
        m_window.core().RestoreKeyFocus();
    });
    connect(Tools_Options, &QAction::triggered, this, &MainCommands::Tools_OptionsExecute);
    connect(Tools_Clear, &QAction::triggered, this, &MainCommands::Tools_ClearExecute);
    connect(Tools_Recalculate, &QAction::triggered, this,
            &MainCommands::Tools_RecalculateExecute);
    connect(Help_Contents, &QAction::triggered, this, [this] { m_help.showContents(); });
    connect(Help_VisitSite, &QAction::triggered, this, [] { openProductSite(); });
    connect(Help_Support, &QAction::triggered, this, [] { openSupportMail(); });
    connect(Help_About, &QAction::triggered, this, &MainCommands::Help_AboutExecute);

    ApplyInterfaceText(&window);
    window.ApplyHistoryLayout();
}

MainCommands::~MainCommands() = default;

ReportPreview* MainCommands::preview() const
{
    return m_preview;
}

QAction* MainCommands::command(const char* name, const QString& caption, QMenu* menu)
{
    auto* action = new QAction(caption, &m_window);
    action->setObjectName(QString::fromLatin1(name));
    if (menu)
        menu->addAction(action);
    return action;
}

QWidget* MainCommands::createOptions()
{
    auto* dialog = new TfmMxOptions(
        m_window.core().settings,
        [this](const CalcSettings& settings) {
            m_window.core().setSettings(settings);
            m_window.ApplySettings();
            if (m_keeper)
                m_keeper->setKeeping(settings.KeepHistory);
        },
        [this](int context) { m_help.showContext(context); });
    connect(dialog, &QDialog::finished, this, [this] { Tools_Options->setChecked(false); });
    return dialog;
}

Report& MainCommands::frRepClassic()
{
    if (!m_report) {
        m_report = makeHistoryReport();
        m_report->setNumbers(m_window.core().numbers());
    }
    return *m_report;
}

void MainCommands::File_PrintExecute()
{
    Report& report = frRepClassic();
    ReportVariables& v = report.variables();
    auto quoted = [](QString text) { return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\''); };
    v.set(QStringLiteral("AppName"), quoted(productTitle()));
    v.set(QStringLiteral("SiteName"), quoted(QUrl(productSite()).host()));
    v.set(QStringLiteral("PageHeader"), QStringLiteral("'История вычислений'"));
    v.set(QStringLiteral("PageHeaderFirstFontSize"), QStringLiteral("10"));
    v.set(QStringLiteral("PageHeaderNextFontSize"), QStringLiteral("8"));
    SetReportObjectProperty(report, QStringLiteral("meHistory"), QStringLiteral("Memo"),
                            m_window.meClsHistory->tapeLines(), [this](const QString& text) {
                                m_messages.ShowMsgDlg(text, mkInformation, mbOKOnly, hcNone);
                            });
    v.setNow(QDateTime::currentDateTime());
    report.prepare();
    if (m_preview) {
        m_preview->reload();
    } else {
        m_preview = new ReportPreview(m_report, *m_files, &m_window);
    }
    m_preview->show();
    m_preview->raise();
    m_preview->activateWindow();
}

void MainCommands::Tools_OptionsExecute()
{
    Tools_Options->setChecked(true);
    m_forms->FormDoCreate(QStringLiteral("fmMxOptions"), FormFactory::Modal);
    Tools_Options->setChecked(false);
    m_window.ApplySettings();
}

void MainCommands::Tools_ClearExecute()
{
    Keypad& k = m_window.keypad();
    k.press(KeyId::C);
    k.press(KeyId::MC);
    k.press(KeyId::CH);
    m_window.clearFormula();
}

void MainCommands::Tools_RecalculateExecute()
{
    TapeMemo* tape = m_window.meClsHistory;
    if (m_window.keypad().recalculation().Recalculate(tape->textCursor().blockNumber()))
        tape->scrollToEnd();
}

void MainCommands::Edit_CopyExecute()
{
    QGuiApplication::clipboard()->setText(m_window.keypad().entry().CopiedNumber());
}

void MainCommands::Edit_PasteExecute()
{
    m_window.keypad().entry().PasteNumber(QGuiApplication::clipboard()->text());
}

void MainCommands::Help_AboutExecute()
{
    m_forms->ShowForm(QStringLiteral("fmMxAbout"), FormFactory::Modal);
}

void MainCommands::File_OpenHistoryExecute()
{
    // The key of the save dialog: the open dialog starts where the tape was last saved.
    const QString path = m_files->openFile(
        &m_window, {QStringLiteral("history"), QStringLiteral("Открыть историю"),
                    QStringLiteral("Text ( *.txt) (*.txt);;All (*.*) (*)")});
    if (!path.isEmpty())
        File_OpenHistoryAccept(path);
}

void MainCommands::File_OpenHistoryAccept(const QString& path)
{
    m_opening->open(path);
}

void MainCommands::File_SaveHistoryAsExecute()
{
    // Name and title are set again before every opening.
    const QString path = m_files->saveFile(
        &m_window, {QStringLiteral("history"), QStringLiteral("Сохранить как"),
                    QStringLiteral("Text ( *.txt) (*.txt);;All (*.*) (*)"),
                    QStringLiteral("History.txt"), QStringLiteral("txt")});
    if (!path.isEmpty())
        File_SaveHistoryAsAccept(path);
}

bool MainCommands::File_SaveHistoryAsAccept(const QString& path)
{
    const QString error = saveHistoryFile(m_window.meClsHistory->tapeLines(), path);
    if (error.isEmpty())
        return true;
    m_messages.ShowMsgDlg(QStringLiteral("История не сохранена в файл «%1».\r\r%2")
                              .arg(quotedText(QFileInfo(path).fileName()), error),
                          mkError, mbOKOnly, hcNone);
    return false;
}

} // namespace mx
