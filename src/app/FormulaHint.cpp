#include "FormulaHint.h"

#include "formula/FormulaPreview.h"
#include "texts/ContrastColour.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace mx {

namespace {

constexpr int kPadding = 6;

// The palette's placeholder colour as it shows on the field, in the shade nearest to it that
// has a contrast of 4.5:1 with the field.
QColor hintColour(const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base);
    const QColor placeholder = palette.color(QPalette::PlaceholderText);
    const double a = placeholder.alphaF();
    const QColor shown = QColor::fromRgbF(float(base.redF() + (placeholder.redF() - base.redF()) * a),
                                          float(base.greenF() + (placeholder.greenF() - base.greenF()) * a),
                                          float(base.blueF() + (placeholder.blueF() - base.blueF()) * a));
    return shadeWithContrast(shown, base, kTextContrast);
}

} // namespace

FormulaHint::FormulaHint(QLineEdit& line, QLabel& label, Format format)
    : m_line(line), m_label(label), m_format(std::move(format)), m_inWorker(new QObject)
{
    m_label.hide();
    m_label.setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label.setAutoFillBackground(true);
    applyColour();
    m_inWorker->moveToThread(&m_worker);
    connect(&m_worker, &QThread::finished, m_inWorker, &QObject::deleteLater);
    m_worker.start();

    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &FormulaHint::request);
    // A key only counts its text and starts the pause again: the old hint stays until the
    // new value has come.
    connect(&m_line, &QLineEdit::textChanged, this, [this] {
        ++*m_latest;
        m_pause.start();
    });
    m_line.installEventFilter(this);
    m_label.installEventFilter(this);
}

FormulaHint::~FormulaHint()
{
    m_worker.quit();
    m_worker.wait();
}

bool FormulaHint::pending() const
{
    return m_pause.isActive() || m_shown != m_latest->load();
}

void FormulaHint::request()
{
    const quint64 id = m_latest->load();
    const QString text = m_line.text();
    // The hint outlives every computation (its destructor waits for the worker), and an
    // answer still queued when it goes is dropped with it.
    QMetaObject::invokeMethod(m_inWorker, [this, latest = m_latest, id, text] {
        if (latest->load() != id)
            return; // typed on since: a newer request follows
        const std::optional<double> value = previewFormula(text);
        QMetaObject::invokeMethod(this, [this, id, value] { show(id, value); });
    });
}

void FormulaHint::show(quint64 id, std::optional<double> value)
{
    if (id != m_latest->load())
        return;
    m_shown = id;
    m_value = value;
    refresh();
}

void FormulaHint::refresh()
{
    const QString text = m_value ? QStringLiteral("= ") + m_format(*m_value) : QString();
    if (text != m_label.text()) {
        m_label.setText(text);
        place();
    }
    emit updated();
}

void FormulaHint::place()
{
    if (m_label.text().isEmpty()) {
        m_label.hide();
        m_line.setTextMargins(0, 0, 0, 0);
        return;
    }
    const QRect field = m_line.geometry();
    const int width = std::min(m_label.fontMetrics().horizontalAdvance(m_label.text()) + 2 * kPadding,
                               field.width() / 2);
    m_label.setGeometry(field.right() - 2 - width, field.top() + 3, width, field.height() - 6);
    m_line.setTextMargins(0, 0, width, 0);
    m_label.raise();
    m_label.show();
}

void FormulaHint::applyColour()
{
    QPalette p = m_label.palette();
    const QPalette field = m_line.palette();
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        QPalette fieldGroup = field;
        fieldGroup.setCurrentColorGroup(g);
        p.setColor(g, QPalette::WindowText, hintColour(fieldGroup));
        p.setColor(g, QPalette::Window, field.color(g, QPalette::Base));
    }
    m_label.setPalette(p);
}

bool FormulaHint::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        if (watched == &m_line)
            place();
        break;
    case QEvent::PaletteChange:
        if (watched == &m_line)
            applyColour();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mx
