#include "ReportPreview.h"

#include "Report.h"
#include "texts/FileDialogs.h"

#include <QComboBox>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>

namespace mx {

namespace {

constexpr double kScreenDpi = 96;

QPushButton* toolButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* bt = new QPushButton(caption, parent);
    bt->setObjectName(QLatin1String(name));
    bt->setAutoDefault(false);
    return bt;
}

} // namespace

ReportPreview::ReportPreview(std::shared_ptr<Report> report, FileDialogs& files, QWidget* parent)
    : QWidget(parent, Qt::Window), m_keep(std::move(report)), m_report(*m_keep), m_files(files),
      m_printer(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("fmReportPreview"));
    setWindowTitle(QStringLiteral("Предварительный просмотр"));
    setAttribute(Qt::WA_DeleteOnClose);

    btPrint = toolButton(QStringLiteral("Печать..."), "btPrint", this);
    btSavePdf = toolButton(QStringLiteral("Сохранить PDF..."), "btSavePdf", this);
    cbZoom = new QComboBox(this);
    cbZoom->setObjectName(QStringLiteral("cbZoom"));
    cbZoom->setAccessibleName(QStringLiteral("Масштаб"));
    for (const auto& [caption, zoom] : {std::pair{"По ширине", 0.0}, {"Страница целиком", -1.0},
                                        {"50%", 0.5}, {"75%", 0.75}, {"100%", 1.0},
                                        {"150%", 1.5}, {"200%", 2.0}})
        cbZoom->addItem(QString::fromUtf8(caption), zoom);
    btFirst = toolButton(QStringLiteral("|<"), "btFirst", this);
    btFirst->setAccessibleName(QStringLiteral("Первая страница"));
    btPrior = toolButton(QStringLiteral("<"), "btPrior", this);
    btPrior->setAccessibleName(QStringLiteral("Предыдущая страница"));
    edPage = new QSpinBox(this);
    edPage->setObjectName(QStringLiteral("edPage"));
    edPage->setAccessibleName(QStringLiteral("Страница"));
    lbPageCount = new QLabel(this);
    lbPageCount->setObjectName(QStringLiteral("lbPageCount"));
    btNext = toolButton(QStringLiteral(">"), "btNext", this);
    btNext->setAccessibleName(QStringLiteral("Следующая страница"));
    btLast = toolButton(QStringLiteral(">|"), "btLast", this);
    btLast->setAccessibleName(QStringLiteral("Последняя страница"));
    edFind = new QLineEdit(this);
    edFind->setObjectName(QStringLiteral("edFind"));
    edFind->setAccessibleName(QStringLiteral("Найти"));
    edFind->setPlaceholderText(QStringLiteral("Найти"));
    edFind->setMinimumWidth(160);
    for (QPushButton* bt : {btFirst, btPrior, btNext, btLast})
        bt->setFixedWidth(36);
    edPage->setMinimumWidth(70);
    btFind = toolButton(QStringLiteral("Найти далее"), "btFind", this);
    lbFindResult = new QLabel(this);
    lbFindResult->setObjectName(QStringLiteral("lbFindResult"));
    btPageSetup = toolButton(QStringLiteral("Параметры страницы..."), "btPageSetup", this);
    btClose = toolButton(QStringLiteral("Закрыть"), "btClose", this);

    auto* tools = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{btPrint, btSavePdf, btPageSetup, cbZoom,
                                                      btFirst, btPrior, edPage, lbPageCount,
                                                      btNext, btLast, edFind, btFind, lbFindResult})
        tools->addWidget(w);
    tools->addStretch();
    tools->addWidget(btClose);

    lbPage = new QLabel;
    lbPage->setObjectName(QStringLiteral("lbPage"));
    lbPage->setAccessibleName(QStringLiteral("Страница отчета"));
    lbPage->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("sbPages"));
    m_scroll->setAccessibleName(QStringLiteral("Просмотр страницы"));
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(lbPage);
    m_scroll->setWidgetResizable(false);
    // Fitting zooms follow the view's size, known only once it is laid out.
    m_scroll->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_scroll, 1);

    connect(btPrint, &QPushButton::clicked, this, &ReportPreview::printReport);
    connect(btSavePdf, &QPushButton::clicked, this, &ReportPreview::savePdf);
    connect(btPageSetup, &QPushButton::clicked, this, &ReportPreview::pageSetup);
    connect(cbZoom, &QComboBox::activated, this,
            [this](int i) { setZoom(cbZoom->itemData(i).toDouble()); });
    connect(btFirst, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(btPrior, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(btNext, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(btLast, &QPushButton::clicked, this, [this] { showPage(m_report.pageCount() - 1); });
    connect(edPage, &QSpinBox::valueChanged, this, [this](int v) {
        if (v - 1 != m_page)
            showPage(v - 1);
    });
    connect(btFind, &QPushButton::clicked, this, [this] { findNext(edFind->text()); });
    connect(edFind, &QLineEdit::returnPressed, this, [this] { findNext(edFind->text()); });
    connect(btClose, &QPushButton::clicked, this, &QWidget::close);

    resize(900, 760);
    refresh();
}

double ReportPreview::effectiveZoom() const
{
    const double ppm = kScreenDpi / 25.4;
    const QSize view = m_scroll->viewport()->size();
    const ReportPage& p = m_report.design().page;
    if (m_zoom == 0)
        return std::max(0.1, (view.width() - 20) / (p.width * ppm));
    if (m_zoom < 0)
        return std::max(0.1, std::min((view.width() - 20) / (p.width * ppm),
                                      (view.height() - 20) / (p.height * ppm)));
    return m_zoom;
}

void ReportPreview::refresh()
{
    const int count = m_report.pageCount();
    m_page = std::clamp(m_page, 0, std::max(count - 1, 0));
    {
        const QSignalBlocker block(edPage);
        edPage->setRange(count > 0 ? 1 : 0, std::max(count, 0));
        edPage->setValue(m_page + 1);
    }
    lbPageCount->setText(QStringLiteral("из %1").arg(count));
    btFirst->setEnabled(m_page > 0);
    btPrior->setEnabled(m_page > 0);
    btNext->setEnabled(m_page + 1 < count);
    btLast->setEnabled(m_page + 1 < count);
    if (count == 0) {
        lbPage->clear();
        return;
    }
    const double dpi = kScreenDpi * effectiveZoom();
    QImage image = m_report.pageImage(m_page, dpi);
    if (m_markPage == m_page && !m_mark.isNull()) {
        const double ppm = dpi / 25.4;
        QPainter painter(&image);
        painter.fillRect(QRectF(m_mark.left() * ppm, m_mark.top() * ppm, m_mark.width() * ppm,
                                m_mark.height() * ppm),
                         QColor(255, 220, 0, 110));
    }
    lbPage->setPixmap(QPixmap::fromImage(image));
    lbPage->resize(image.size());
}

void ReportPreview::reload()
{
    m_markPage = -1;
    m_mark = QRectF();
    lbFindResult->clear();
    m_page = 0;
    refresh();
}

void ReportPreview::showPage(int index)
{
    if (index < 0 || index >= m_report.pageCount())
        return;
    m_page = index;
    refresh();
    m_scroll->verticalScrollBar()->setValue(0);
}

void ReportPreview::setZoom(double zoom)
{
    m_zoom = zoom;
    const int i = cbZoom->findData(zoom);
    if (i >= 0)
        cbZoom->setCurrentIndex(i);
    refresh();
}

bool ReportPreview::findNext(const QString& text)
{
    const int from = m_markPage >= 0 ? m_markPage + 1 : m_page;
    const std::optional<Report::Found> found = m_report.find(text, from);
    if (!found) {
        lbFindResult->setText(QStringLiteral("Не найдено"));
        m_markPage = -1;
        m_mark = QRectF();
        refresh();
        return false;
    }
    lbFindResult->setText(QStringLiteral("Страница %1").arg(found->page + 1));
    m_markPage = found->page;
    m_mark = found->rect;
    showPage(found->page);
    // The marked line in view.
    const double ppm = kScreenDpi * effectiveZoom() / 25.4;
    m_scroll->ensureVisible(0, int(m_mark.center().y() * ppm), 0, m_scroll->viewport()->height() / 3);
    return true;
}

void ReportPreview::printReport()
{
    m_printer.setFullPage(true);
    m_printer.setFromTo(1, m_report.pageCount());
    QPrintDialog dialog(&m_printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const bool range = m_printer.printRange() == QPrinter::PageRange;
    m_report.print(m_printer, range ? m_printer.fromPage() : 0, range ? m_printer.toPage() : 0);
}

void ReportPreview::savePdf()
{
    QString path = m_files.saveFile(
        this, {QStringLiteral("pdf"), QStringLiteral("Сохранить как PDF"),
               QStringLiteral("PDF (*.pdf)"), QStringLiteral("History.pdf"), QStringLiteral("pdf")});
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QLatin1String(".pdf");
    writePdf(path);
}

bool ReportPreview::writePdf(const QString& path)
{
    // The pages are read by the worker alone until it ends: the application-modal progress
    // dialog keeps the user from preparing the report again meanwhile.
    std::atomic<int> done{0};
    std::atomic<bool> cancelled{false};
    QString error;
    bool written = false;
    const Report& report = m_report;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        written = report.exportPdf(path, &error, [&](int pages, int) {
            done = pages;
            return !cancelled;
        });
    }));
    QProgressDialog progress(QStringLiteral("Сохранение в PDF..."), QStringLiteral("Отмена"), 0,
                             report.pageCount(), this);
    progress.setObjectName(QStringLiteral("pdProgress"));
    progress.setAccessibleName(QStringLiteral("Ход сохранения в PDF"));
    progress.setWindowModality(Qt::ApplicationModal);
    // Shown at once, so that no other window takes input while the worker reads the pages.
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    connect(&progress, &QProgressDialog::canceled, this, [&cancelled] { cancelled = true; });
    QTimer tick;
    connect(&tick, &QTimer::timeout, &progress, [&] { progress.setValue(done); });
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    progress.setValue(0);
    tick.start(50);
    worker->start();
    loop.exec();
    worker->wait();
    tick.stop();
    progress.close();
    if (!written && !error.isEmpty())
        QMessageBox::warning(this, windowTitle(), QString(error).replace(u'\r', u'\n'));
    return written;
}

void ReportPreview::pageSetup()
{
    // Qt's page setup serves a printer of the system only; without one the printer is the
    // PDF writer, which the dialog cannot set up.
    if (m_printer.outputFormat() != QPrinter::NativeFormat) {
        QMessageBox::information(this, windowTitle(),
                                 QStringLiteral("Принтер не установлен.\n\nПараметры страницы "
                                                "задаются для принтера; PDF сохраняется на "
                                                "странице A4."));
        return;
    }
    ReportPage& p = m_report.design().page;
    m_printer.setPageLayout(QPageLayout(QPageSize(QSizeF(std::min(p.width, p.height), std::max(p.width, p.height)),
                                                  QPageSize::Millimeter),
                                        p.width > p.height ? QPageLayout::Landscape : QPageLayout::Portrait,
                                        QMarginsF(p.marginLeft, p.marginTop, p.marginRight, p.marginBottom),
                                        QPageLayout::Millimeter));
    QPageSetupDialog dialog(&m_printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QPageLayout layout = m_printer.pageLayout();
    const QSizeF size = layout.fullRect(QPageLayout::Millimeter).size();
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    p.width = size.width();
    p.height = size.height();
    p.marginLeft = margins.left();
    p.marginTop = margins.top();
    p.marginRight = margins.right();
    p.marginBottom = margins.bottom();
    m_report.prepare();
    m_markPage = -1;
    m_mark = QRectF();
    showPage(0);
}

void ReportPreview::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
    } else if (event->key() == Qt::Key_PageDown) {
        showPage(m_page + 1);
    } else if (event->key() == Qt::Key_PageUp) {
        showPage(m_page - 1);
    } else if (event->key() == Qt::Key_Home && event->modifiers() & Qt::ControlModifier) {
        showPage(0);
    } else if (event->key() == Qt::Key_End && event->modifiers() & Qt::ControlModifier) {
        showPage(m_report.pageCount() - 1);
    } else if (event->matches(QKeySequence::Find)) {
        edFind->setFocus();
        edFind->selectAll();
    } else if (event->matches(QKeySequence::FindNext)) {
        findNext(edFind->text());
    } else if (event->matches(QKeySequence::Print)) {
        printReport();
    } else {
        QWidget::keyPressEvent(event);
    }
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize && m_zoom <= 0) {
        const QSize now = m_scroll->viewport()->size();
        // A refit that shows or hides a scroll bar resizes the view again: refit only on a
        // real change of width, or of height for the whole page.
        if (now.width() != m_fittedFor.width() || (m_zoom < 0 && now.height() != m_fittedFor.height())) {
            m_fittedFor = now;
            refresh();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace mx
