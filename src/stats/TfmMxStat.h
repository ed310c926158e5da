#pragma once

#include "SampleSummary.h"
#include "StatMeasureTable.h"
#include "texts/Announcer.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <span>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace mx {

class FileDialogs;
class MessagePort;
class NumberText;
class NumericField;
class SampleChart;
class SampleTask;
class SampleTaskRunner;
class StatSample;
class StoreTable;

// The statistics window: the stored sample in a grid, an entry field for new numbers, the
// ten measures and the four order measures with a button each that copies the measure into
// the calculator's input, the number of the input appended with one click, and a panel with
// a picture of the sample that can be shown or hidden. Not modal; one at a time.
class TfmMxStat : public QWidget
{
    Q_OBJECT

public:
    // `sample` is the table Stat, `share` (may be null or closed) keeps the position;
    // `input` is the calculator's input register, which the transfers write and "Из ввода"
    // reads; `numbers` writes and reads the number texts, `messages` shows the messages. A
    // window never placed by the user opens beside `neighbour`, where one is given.
    TfmMxStat(StoreTable& sample, StoreTable* share, NumericField& input,
              const NumberText& numbers, MessagePort& messages,
              std::function<void(int)> showHelp, const QWidget* neighbour = nullptr,
              QWidget* parent = nullptr);
    ~TfmMxStat() override;

    // What a screen reader is told: the count after each append, a summary after Calculate.
    void setAnnouncer(Announcer* announcer) { m_announcer = announcer; }

    StatSample& sample() { return *m_sample; }
    const StatMeasures& measures() const { return m_summary.measures; }
    const OrderMeasures& orderMeasures() const { return m_summary.order; }

    void CheckRecordCount();
    // False (and a warning, nothing changed) on an empty sample. Otherwise the measures
    // are shown and `then` runs: at once for a small sample, after the slices of a large
    // one (not at all when the user cancels it).
    bool btCalcClick(std::function<void()> then = {});
    void btAppendClick();
    void btDeleteClick();
    void btDelAllClick();
    void btFromOp0Click();
    // Copies the exact value of a measure, whatever its field shows, into the input.
    void transferToOp0(StatMeasureId id);
    void btAvrToOp0Click() { transferToOp0(StatMeasureId::Mean); }
    void btSumToOp0Click() { transferToOp0(StatMeasureId::Sum); }
    // Appends every number of the clipboard's text, or none and a message.
    void pasteNumbers(const QString& text);
    // Import and export through the program's file dialogs, and without them. The dialogs
    // are those of the run, which come back to the folder last used; without them the
    // window has dialogs of its own.
    void setFileDialogs(FileDialogs* files) { m_files = files; }
    void btImportClick();
    void btExportClick();
    void importFile(const QString& path);
    void exportFile(const QString& path);
    // A task (calculation, append of a large column, export) is running in slices.
    bool busy() const;
    SampleTaskRunner& tasks() { return *m_tasks; }
    void showPicture(bool shown);
    bool pictureShown() const;
    void copyPicture();

    QTableView* dgStat;
    QLineEdit* edNewNumber;
    QPushButton* btAppend;
    QPushButton* btFromOp0;
    QPushButton* btDelete;
    QPushButton* btDelAll;
    QPushButton* btCalc;
    QPushButton* btOK;
    QPushButton* btHelp;
    // A measure's row of the window, made from its line of the measure table.
    struct MeasureRow
    {
        const StatMeasure* measure;
        QLabel* label;
        QLineEdit* field;
        QPushButton* transfer;
    };
    const std::vector<MeasureRow>& measureRows() const { return m_measureRows; }
    const MeasureRow& measureRow(StatMeasureId id) const;
    QLineEdit* measureField(StatMeasureId id) const { return measureRow(id).field; }
    QPushButton* transferButton(StatMeasureId id) const { return measureRow(id).transfer; }
    QGroupBox* gbOrder;
    QPushButton* btImport;
    QPushButton* btExport;
    QPushButton* btPicture;
    QWidget* pnPicture;
    SampleChart* chart;
    QPushButton* btCopyPicture;

signals:
    // The window is closing: the main window's buttons that need it go off.
    void closing();
    // A measure has been copied into the input.
    void inputChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    // The rows of one group of the measure table, one under the other from `top`.
    void buildMeasureRows(StatMeasureGroup group, QWidget* parent, int left, int top);
    void buildOrderGroup();
    void buildPicturePanel();
    void fitSize();
    void FormCreate();
    void FormDestroy();
    // Appends one value that has passed its checks; false when the store refused it.
    bool appendValues(std::span<const double> values);
    // An edit still open in the grid written before a column is appended.
    void commitGridEdit();
    void appendDone(SampleTask* task);
    void showMeasures();
    void deleteGridRecord();
    // Every row of the sample counted, as a task over all of it needs; false (and the store's
    // message) when the store refused.
    bool sampleCounted();
    // A read or write of the store that failed: the error message, the program goes on.
    void reportStoreFailure(const QString& message);
    // The grid stands for the table's cursor: `row` (kept within the sample) becomes the
    // current record, marked and scrolled into view; an empty sample has none.
    void setCurrentRecord(qint64 row);
    // A click beside the rows may clear the mark: the current record is marked again.
    void keepCurrentMarked();
    void warn(const QString& message);
    // The shown text of a measure, as "label: value".
    QString spokenMeasure(StatMeasureId id) const;
    void sayCount();
    void saySummary();

    QPointer<Announcer> m_announcer;
    StoreTable* m_share;
    NumericField& m_input;
    const NumberText& m_numbers;
    MessagePort& m_messages;
    std::function<void(int)> m_showHelp;
    const QWidget* m_neighbour;
    FileDialogs* m_files = nullptr;
    std::unique_ptr<FileDialogs> m_ownFiles;
    FileDialogs& files();
    std::unique_ptr<StatSample> m_sample;
    // After the sample: a running task that uses it goes first.
    std::unique_ptr<SampleTaskRunner> m_tasks;
    std::vector<MeasureRow> m_measureRows;
    // What the measure fields show, in full precision: the last result of Calculate, with
    // the number of records kept current.
    SampleSummary m_summary;
};

} // namespace mx
