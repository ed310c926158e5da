#pragma once

#include <QObject>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;

namespace mx {

// The formula's value while it is typed, as a quiet hint at the right end of the formula
// line: computed a moment after the typing pauses, on a worker thread of its own with a
// fresh engine scope, so that no key waits for it; nothing shows while the formula is
// incomplete or wrong. The value is written by `format` (the result field's display format),
// again whenever refresh() is called after the decimals or the grouping changed.
class FormulaHint : public QObject
{
    Q_OBJECT

public:
    using Format = std::function<QString(double)>;

    // How long the typing must pause before the value is computed.
    static constexpr int kPauseMs = 120;

    FormulaHint(QLineEdit& line, QLabel& label, Format format);
    ~FormulaHint() override;

    void refresh();
    // A value for the line's present text is still to come.
    bool pending() const;

signals:
    // The hint shows the value of the line's present text, or nothing.
    void updated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void request();
    void show(quint64 id, std::optional<double> value);
    void place();
    void applyColour();

    QLineEdit& m_line;
    QLabel& m_label;
    Format m_format;
    QTimer m_pause;
    QThread m_worker;
    QObject* m_inWorker; // lives in m_worker: what the computations run in
    // The newest text's number; a computation for an older one is dropped.
    std::shared_ptr<std::atomic<quint64>> m_latest = std::make_shared<std::atomic<quint64>>(0);
    quint64 m_shown = 0;
    std::optional<double> m_value;
};

} // namespace mx
