#include "TfmMxStat.h"

#include "PastedNumbers.h"
#include "StatNumbers.h"
#include "StatSample.h"
#include "engine/CalcCore.h"
#include "store/TableEditing.h"
#include "tablestore/StoreError.h"
#include "tablestore/StoreTable.h"
#include "texts/ApplyInterfaceText.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"
#include "texts/WindowLook.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>

#include <cfloat>
#include <cmath>

namespace mx {

namespace {

struct MeasureRow
{
    const char* field;
    const char* label;
    const char* button;
    const char* caption; // the designed label, replaced by the interface text
};

constexpr MeasureRow kMeasures[] = {
    {"edN", "lbQuantity", "btNToOp0", "Quantity ( N )"},
    {"edMin", "lbMin", "btMinToOp0", "Min ( m )"},
    {"edMax", "lbMax", "btMaxToOp0", "Max ( M )"},
    {"edDissip", "lbDissip", "btDissipToOp0", "Range ( M - m )"},
    {"edDissipCenter", "lbDissipCenter", "btDissipCenterToOp0", "Centre ( m + (M-m)/2 )"},
    {"edSum", "lbSum", "btSumToOp0", "Sum"},
    {"edAvr", "lbAvr", "btAvrToOp0", "Mean"},
    {"edVar", "lbVariance", "btVarToOp0", "Variance"},
    {"edDev", "lbDeviation", "btDevToOp0", "Deviation (for N)"},
    {"edUES", "lbUnbEstimator", "btUesToOp0", "Estimate S (for N-1)"},
};

constexpr int kRowTop = 76;
constexpr int kRowHeight = 28;

QPushButton* button(const char* name, const QString& caption, QWidget* parent, QRect geometry)
{
    auto* bt = new QPushButton(caption, parent);
    bt->setObjectName(QLatin1String(name));
    bt->setAutoDefault(false);
    bt->setGeometry(geometry);
    return bt;
}

} // namespace

TfmMxStat::TfmMxStat(StoreTable& sample, StoreTable* share, CalcCore& core,
                     std::function<void(int)> showHelp, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint),
      m_share(share), m_core(core), m_showHelp(std::move(showHelp)),
      m_sample(std::make_unique<StatSample>(sample, core.seps()))
{
    setObjectName(QStringLiteral("fmMxStat"));
    setWindowTitle(QStringLiteral("Statistics"));
    buildControls();
    FormCreate();
}

TfmMxStat::~TfmMxStat()
{
    FormDestroy();
}

void TfmMxStat::buildControls()
{
    dgStat = new QTableView(this);
    dgStat->setObjectName(QStringLiteral("dgStat"));
    dgStat->setAccessibleName(QStringLiteral("Выборка"));
    dgStat->setGeometry(8, 8, 180, 400);
    dgStat->setModel(m_sample.get());
    dgStat->setSelectionBehavior(QAbstractItemView::SelectRows);
    dgStat->setSelectionMode(QAbstractItemView::SingleSelection);
    dgStat->horizontalHeader()->setStretchLastSection(true);
    // Rows of one height, so that the view never measures a million of them.
    dgStat->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    dgStat->verticalHeader()->setDefaultSectionSize(22);
    dgStat->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
    dgStat->installEventFilter(this);

    edNewNumber = new QLineEdit(this);
    edNewNumber->setObjectName(QStringLiteral("edNewNumber"));
    edNewNumber->setAccessibleName(QStringLiteral("Новое число"));
    edNewNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edNewNumber->setGeometry(200, 8, 240, 26);
    edNewNumber->installEventFilter(this);
    btAppend = button("btAppend", QStringLiteral("&Append"), this, {448, 8, 100, 26});
    btFromOp0 = button("btFromOp0", QStringLiteral("Из ввода"), this, {556, 8, 100, 26});
    btFromOp0->setToolTip(QStringLiteral("Добавить число из поля «Ввод и результат»"));
    btDelete = button("btDelete", QStringLiteral("&Delete"), this, {448, 40, 100, 26});
    btDelete->setFocusPolicy(Qt::ClickFocus);
    btDelAll = button("btDelAll", QStringLiteral("Delete All"), this, {556, 40, 100, 26});
    btDelAll->setFocusPolicy(Qt::ClickFocus);

    for (int i = 0; i < 10; ++i) {
        const MeasureRow& m = kMeasures[i];
        const int top = kRowTop + i * kRowHeight;
        auto* label = new QLabel(QLatin1String(m.caption), this);
        label->setObjectName(QLatin1String(m.label));
        label->setGeometry(200, top + 3, 240, 20);
        auto* field = new QLineEdit(QStringLiteral("0"), this);
        field->setObjectName(QLatin1String(m.field));
        field->setReadOnly(true);
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        field->setGeometry(448, top, 150, 24);
        label->setBuddy(field);
        auto* transfer = button(m.button, QStringLiteral("В ввод"), this, {604, top, 52, 24});
        transfer->setToolTip(QStringLiteral("Скопировать в поле «Ввод и результат»"));
        connect(transfer, &QPushButton::clicked, this, [this, i] { transferToOp0(i); });
        measureLabels[std::size_t(i)] = label;
        measureFields[std::size_t(i)] = field;
        transferButtons[std::size_t(i)] = transfer;
    }

    const int bottom = kRowTop + 10 * kRowHeight + 12;
    btCalc = button("btCalc", QStringLiteral("&Calculate"), this, {448, bottom, 150, 28});
    btOK = button("btOK", QStringLiteral("&OK"), this, {200, bottom + 36 + 14, 100, 28});
    btHelp = button("btHelp", QStringLiteral("&Help"), this, {556, bottom + 50, 100, 28});
    btOK->move(btHelp->x() - 108, btHelp->y());
    dgStat->resize(dgStat->width(), btHelp->geometry().bottom() + 1 - dgStat->y());

    connect(btAppend, &QPushButton::clicked, this, &TfmMxStat::btAppendClick);
    connect(btFromOp0, &QPushButton::clicked, this, &TfmMxStat::btFromOp0Click);
    connect(btDelete, &QPushButton::clicked, this, &TfmMxStat::btDeleteClick);
    connect(btDelAll, &QPushButton::clicked, this, &TfmMxStat::btDelAllClick);
    connect(btCalc, &QPushButton::clicked, this, &TfmMxStat::btCalcClick);
    connect(btOK, &QPushButton::clicked, this, &QWidget::close);
    connect(btHelp, &QPushButton::clicked, this, [this] {
        if (m_showHelp)
            m_showHelp(hcStatistics);
    });
    connect(m_sample.get(), &StatSample::countChanged, this, &TfmMxStat::CheckRecordCount);
    connect(m_sample.get(), &StatSample::refused, this, &TfmMxStat::warn);
    setTabOrder(edNewNumber, btAppend);
}

void TfmMxStat::FormCreate()
{
    ApplyInterfaceText(this);
    setProperty("helpContext", int(hcStatistics));
    for (std::size_t i = 0; i < 10; ++i) {
        measureFields[i]->setAccessibleName(measureLabels[i]->text());
        transferButtons[i]->setAccessibleName(QStringLiteral("В ввод: ") + measureLabels[i]->text());
    }
    setFixedSize(btHelp->geometry().right() + 1 + 10, btHelp->geometry().bottom() + 1 + 10);
    if (m_share && m_share->isOpen()) {
        const QPoint stored(int(m_share->asInteger(QStringLiteral("StatWinLeft"))),
                            int(m_share->asInteger(QStringLiteral("StatWinTop"))));
        // A position on no screen (one since disconnected) would leave the window
        // unreachable: it opens centred instead.
        if (QGuiApplication::screenAt(stored + QPoint(20, 20)))
            move(stored);
        else
            centreOnScreen(this);
    }
    CheckRecordCount();
    edNewNumber->setFocus(Qt::OtherFocusReason);
}

void TfmMxStat::FormDestroy()
{
    if (!m_share || !m_share->isOpen())
        return;
    try {
        EnsureTableEdit(*m_share);
        m_share->setValue(QStringLiteral("StatWinLeft"), x());
        m_share->setValue(QStringLiteral("StatWinTop"), y());
        PostTableIfEditing(*m_share);
    } catch (const StoreError& e) {
        m_core.messages().ShowMsgDlg(QStringLiteral("Положение окна не сохранено.\r\r") + e.message(),
                                     mkError, mbOKOnly, hcMessages);
    }
}

void TfmMxStat::closeEvent(QCloseEvent* event)
{
    emit closing();
    event->accept();
}

void TfmMxStat::CheckRecordCount()
{
    const qint64 n = m_sample->count();
    for (QPushButton* bt : {btDelete, btDelAll, btCalc})
        bt->setEnabled(n > 0);
    measureFields[0]->setText(QString::number(n));
    m_values[0] = CalcValue(n);
}

bool TfmMxStat::btCalcClick()
{
    CheckRecordCount();
    if (m_sample->count() == 0) {
        warn(QStringLiteral("Выборка пуста: добавьте числа, чтобы вычислить среднее и сумму."));
        return false;
    }
    std::vector<double> values;
    try {
        values = m_sample->values();
    } catch (const StoreError& e) {
        warn(e.message());
        return false;
    }
    m_measures = computeMeasures(values);
    showMeasures();
    return true;
}

void TfmMxStat::showMeasures()
{
    const StatMeasures& m = m_measures;
    const CalcValue values[] = {CalcValue(m.n), m.min,  m.max,      m.range,     m.centre,
                                m.sum,          m.mean, m.variance, m.deviation, m.estimateS};
    for (std::size_t i = 1; i < 10; ++i) {
        m_values[i] = values[i];
        measureFields[i]->setText(formatStatNumber(values[i], m_core.seps()));
    }
}

void TfmMxStat::transferToOp0(int index)
{
    m_core.edOp0.setValue(m_values[std::size_t(index)]);
}

bool TfmMxStat::appendValues(std::span<const double> values)
{
    try {
        m_sample->append(values);
    } catch (const StoreError& e) {
        warn(QStringLiteral("Числа не записаны.\r\r") + e.message());
        return false;
    }
    dgStat->scrollToBottom();
    return true;
}

void TfmMxStat::btAppendClick()
{
    const StatParse p = parseStatNumber(edNewNumber->text(), m_core.seps());
    if (p.status != StatParse::Ok) {
        warn(refusedNumberMessage(p.status, edNewNumber->text()));
        edNewNumber->setFocus(Qt::OtherFocusReason);
        return;
    }
    const double value = p.value;
    if (appendValues(std::span<const double>(&value, 1))) {
        edNewNumber->setText(formatStatNumber(value, m_core.seps()));
        edNewNumber->setFocus(Qt::OtherFocusReason);
        edNewNumber->selectAll();
    }
    CheckRecordCount();
}

void TfmMxStat::btFromOp0Click()
{
    const CalcValue v = m_core.edOp0.value();
    if (!(std::fabs(v) <= CalcValue(DBL_MAX))) {
        warn(refusedNumberMessage(StatParse::OutOfRange, m_core.edOp0.text()));
        return;
    }
    const double value = double(v);
    appendValues(std::span<const double>(&value, 1));
    CheckRecordCount();
}

void TfmMxStat::btDeleteClick()
{
    const QModelIndex current = dgStat->currentIndex();
    if (current.isValid()) {
        try {
            m_sample->removeAt(current.row());
        } catch (const StoreError& e) {
            warn(e.message());
        }
    }
    CheckRecordCount();
}

void TfmMxStat::btDelAllClick()
{
    if (m_core.messages().ShowMsgDlg(QStringLiteral("Удалить все"), mkWarning, mbYesNo, hcNone) ==
        mrYes) {
        try {
            m_sample->removeAll();
        } catch (const StoreError& e) {
            warn(e.message());
        }
    }
    CheckRecordCount();
}

void TfmMxStat::deleteGridRecord()
{
    if (!dgStat->currentIndex().isValid())
        return;
    if (m_core.messages().ShowMsgDlg(QStringLiteral("Удалить запись?"), mkConfirmation, mbYesNo,
                                     hcNone) == mrYes)
        btDeleteClick();
}

void TfmMxStat::pasteNumbers(const QString& text)
{
    const PastedNumbers pasted = parsePastedNumbers(text, m_core.seps());
    if (!pasted.error.isEmpty()) {
        warn(pasted.error);
        return;
    }
    appendValues(pasted.values);
    CheckRecordCount();
}

void TfmMxStat::warn(const QString& message)
{
    m_core.messages().ShowMsgDlg(message, mkWarning, mbOKOnly, hcStatistics);
}

bool TfmMxStat::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool press = event->type() == QEvent::KeyPress;
        if (key->matches(QKeySequence::Paste)) {
            event->accept();
            if (press)
                pasteNumbers(QGuiApplication::clipboard()->text());
            return press;
        }
        if (watched == edNewNumber && press &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            btAppendClick();
            return true;
        }
        if (watched == dgStat && press && key->key() == Qt::Key_Delete &&
            (key->modifiers() & Qt::ControlModifier)) {
            deleteGridRecord();
            return true;
        }
    }
    if (watched == edNewNumber && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        // Shown again in the field's pattern, every decimal kept.
        const StatParse p = parseStatNumber(edNewNumber->text(), m_core.seps());
        if (p.status == StatParse::Ok && !edNewNumber->text().trimmed().isEmpty())
            edNewNumber->setText(formatStatNumber(p.value, m_core.seps()));
    }
    return QWidget::eventFilter(watched, event);
}

void TfmMxStat::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace mx
