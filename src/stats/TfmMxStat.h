#pragma once

#include "StatMeasures.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace mx {

class CalcCore;
class StatSample;
class StoreTable;

// The statistics window: the stored sample in a grid, an entry field for new numbers, the
// ten measures with a button each that copies the measure into the calculator's input, and
// the number of the input appended with one click. Not modal; one at a time.
class TfmMxStat : public QWidget
{
    Q_OBJECT

public:
    // `sample` is the table Stat, `share` (may be null or closed) keeps the position,
    // `core` gives the input field, the separators and the messages.
    TfmMxStat(StoreTable& sample, StoreTable* share, CalcCore& core,
              std::function<void(int)> showHelp, QWidget* parent = nullptr);
    ~TfmMxStat() override;

    StatSample& sample() { return *m_sample; }
    const StatMeasures& measures() const { return m_measures; }

    void CheckRecordCount();
    // False (and a warning, nothing changed) on an empty sample.
    bool btCalcClick();
    void btAppendClick();
    void btDeleteClick();
    void btDelAllClick();
    void btFromOp0Click();
    // Copies measure `index` (0 for N to 9 for S, in the order of the fields) into the input.
    void transferToOp0(int index);
    void btAvrToOp0Click() { transferToOp0(6); }
    void btSumToOp0Click() { transferToOp0(5); }
    // Appends every number of the clipboard's text, or none and a message.
    void pasteNumbers(const QString& text);

    QTableView* dgStat;
    QLineEdit* edNewNumber;
    QPushButton* btAppend;
    QPushButton* btFromOp0;
    QPushButton* btDelete;
    QPushButton* btDelAll;
    QPushButton* btCalc;
    QPushButton* btOK;
    QPushButton* btHelp;
    // edN, edMin, edMax, edDissip, edDissipCenter, edSum, edAvr, edVar, edDev, edUES.
    std::array<QLineEdit*, 10> measureFields{};
    std::array<QLabel*, 10> measureLabels{};
    std::array<QPushButton*, 10> transferButtons{};

signals:
    // The window is closing: the main window's buttons that need it go off.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void FormCreate();
    void FormDestroy();
    // Appends one value that has passed its checks; false when the store refused it.
    bool appendValues(std::span<const double> values);
    void showMeasures();
    void deleteGridRecord();
    void warn(const QString& message);

    StoreTable* m_share;
    CalcCore& m_core;
    std::function<void(int)> m_showHelp;
    std::unique_ptr<StatSample> m_sample;
    StatMeasures m_measures;
    // The exact values the measure fields show, transferred as they are.
    std::array<CalcValue, 10> m_values{};
};

} // namespace mx
