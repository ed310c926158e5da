#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace mx {

class FileDialogs;
class FormFactory;
class StoreTable;
class TfmMxMain;
class TfmMxStat;

// The keypad's statistics keys and the statistics window: Sta brings the window up, Ave and
// Sum calculate and fetch the mean or the sum, Dat appends the input. The three work only
// while the window is open, and are enabled exactly then.
class StatLink : public QObject
{
    Q_OBJECT

public:
    StatLink(TfmMxMain& window, StoreTable& sample, StoreTable* share,
             std::function<void(int)> showHelp);
    ~StatLink() override;

    // The factory that opens windows by name; set once it exists.
    void setForms(FormFactory* forms) { m_forms = forms; }
    // The run's file dialogs, for the window's import and export.
    void setFileDialogs(FileDialogs* files) { m_files = files; }
    // The factory's creator of "fmMxStat".
    QWidget* create();
    TfmMxStat* statWindow() const;

    void btStaClick();
    void btAveClick();
    void btSumClick();
    void btDatClick();

private:
    void enableKeys(bool on);

    TfmMxMain& m_window;
    StoreTable& m_sample;
    StoreTable* m_share;
    std::function<void(int)> m_showHelp;
    FormFactory* m_forms = nullptr;
    FileDialogs* m_files = nullptr;
    QPointer<TfmMxStat> m_stat;
};

} // namespace mx
