#pragma once

#include <QPrinter>
#include <QRectF>
#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace mx {

class FileDialogs;
class Report;

// The preview of a prepared report: its pages one at a time, without editing. Print, save
// as PDF, zoom, find (jumps to and marks the next page that holds the text), page setup
// (the report is laid out again for the new page) and page navigation.
class ReportPreview : public QWidget
{
    Q_OBJECT

public:
    // `files` chooses where the PDF is saved.
    ReportPreview(std::shared_ptr<Report> report, FileDialogs& files, QWidget* parent = nullptr);

    // Shows the report again from its first page, after it was prepared anew.
    void reload();

    int currentPage() const { return m_page; }
    void showPage(int index);
    // Zoom as a factor of the page's real size; 0 fits the width, -1 the whole page.
    void setZoom(double zoom);
    // Searches from the page after the marked one (the current one before any mark); false
    // when no page further on holds the text.
    bool findNext(const QString& text);
    const QRectF& mark() const { return m_mark; }

    void printReport();
    void savePdf();
    // Writes the PDF on a worker thread while a progress dialog that can cancel it keeps the
    // program answering; false when it failed (after the message) or was cancelled.
    bool writePdf(const QString& path);
    void pageSetup();

    QPushButton* btPrint;
    QPushButton* btSavePdf;
    QComboBox* cbZoom;
    QPushButton* btFirst;
    QPushButton* btPrior;
    QSpinBox* edPage;
    QLabel* lbPageCount;
    QPushButton* btNext;
    QPushButton* btLast;
    QLineEdit* edFind;
    QPushButton* btFind;
    QLabel* lbFindResult;
    QPushButton* btPageSetup;
    QPushButton* btClose;
    QLabel* lbPage;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    double effectiveZoom() const;

    std::shared_ptr<Report> m_keep;
    Report& m_report;
    FileDialogs& m_files;
    QPrinter m_printer;
    QScrollArea* m_scroll;
    int m_page = 0;
    double m_zoom = 0;
    QRectF m_mark;     // the found text, in millimetres on page m_markPage
    int m_markPage = -1;
    QSize m_fittedFor;
};

} // namespace mx
