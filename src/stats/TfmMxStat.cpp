#include "TfmMxStat.h"

#include "texts/Announcer.h"

#include "BulkAppend.h"
#include "SampleCalculation.h"
#include "SampleCellDelegate.h"
#include "SampleChart.h"
#include "SampleExport.h"
#include "SampleImport.h"
#include "SampleTaskRunner.h"
#include "StatSample.h"
#include "engine/NumberText.h"
#include "engine/NumericField.h"
#include "store/TableEditing.h"
#include "store/WindowPlace.h"
#include "tablestore/StoreError.h"
#include "tablestore/StoreTable.h"
#include "texts/Announcer.h"
#include "texts/ApplyInterfaceText.h"
#include "texts/FileDialogs.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTableView>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace mx {

namespace {

constexpr int kRowTop = 76;
constexpr int kRowHeight = 28;

int rowsOf(StatMeasureGroup group)
{
    const auto table = statMeasureTable();
    return int(std::count_if(table.begin(), table.end(),
                             [group](const StatMeasure& m) { return m.group == group; }));
}

// The order measures' group, below the ten measures, and the picture's panel to the right.
const int kGroupTop = kRowTop + rowsOf(StatMeasureGroup::Sample) * kRowHeight + 6;
const int kGroupHeight = 22 + rowsOf(StatMeasureGroup::Order) * kRowHeight + 4;
constexpr int kPanelLeft = 666;
constexpr int kPanelWidth = 400;
// The share table's field that keeps whether the picture is shown; data folders made before
// it existed lack it, and there the picture is shown and its state not kept.
const QString kPictureField = QStringLiteral("StatWinPicture");

bool hasField(const StoreTable& table, const QString& name)
{
    for (const FieldDef& f : table.fields())
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QLineEdit* makeMeasureField(const char* name, QWidget* parent, QRect geometry)
{
    auto* field = new QLineEdit(QStringLiteral("0"), parent);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setGeometry(geometry);
    return field;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent, QRect geometry)
{
    auto* bt = new QPushButton(caption, parent);
    bt->setObjectName(QLatin1String(name));
    bt->setAutoDefault(false);
    bt->setGeometry(geometry);
    return bt;
}

} // namespace

TfmMxStat::TfmMxStat(StoreTable& sample, StoreTable* share, NumericField& input,
                     const NumberText& numbers, MessagePort& messages,
                     std::function<void(int)> showHelp, const QWidget* neighbour,
                     QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint),
      m_share(share), m_input(input), m_numbers(numbers), m_messages(messages),
      m_showHelp(std::move(showHelp)), m_neighbour(neighbour),
      m_sample(std::make_unique<StatSample>(sample, numbers.separators(),
                                            StatSample::Opening::InSlices)),
      m_tasks(std::make_unique<SampleTaskRunner>(this))
{
    setObjectName(QStringLiteral("fmMxStat"));
    setWindowTitle(QStringLiteral("Statistics"));
    buildControls();
    FormCreate();
}

TfmMxStat::~TfmMxStat()
{
    // A task still running ends first, while the window it reports to is whole.
    m_tasks->cancel();
    FormDestroy();
    // The children outlive this part of the window: they must not call its filter.
    dgStat->removeEventFilter(this);
    edNewNumber->removeEventFilter(this);
}

void TfmMxStat::buildControls()
{
    dgStat = new QTableView(this);
    dgStat->setObjectName(QStringLiteral("dgStat"));
    dgStat->setAccessibleName(QStringLiteral("Выборка"));
    dgStat->setGeometry(8, 8, 180, 400);
    dgStat->setModel(m_sample.get());
    dgStat->setItemDelegate(new SampleCellDelegate(dgStat));
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

    buildMeasureRows(StatMeasureGroup::Sample, this, 200, kRowTop);

    buildOrderGroup();
    btImport = button("btImport", QStringLiteral("Import..."), this, {200, 40, 116, 26});
    btExport = button("btExport", QStringLiteral("Export..."), this, {324, 40, 116, 26});

    const int bottom = kGroupTop + kGroupHeight + 8;
    btCalc = button("btCalc", QStringLiteral("&Calculate"), this, {448, bottom, 150, 28});
    btPicture = button("btPicture", QStringLiteral("Picture"), this, {200, bottom, 150, 28});
    btPicture->setCheckable(true);
    btOK = button("btOK", QStringLiteral("&OK"), this, {200, bottom + 36 + 14, 100, 28});
    btHelp = button("btHelp", QStringLiteral("&Help"), this, {556, bottom + 50, 100, 28});
    btOK->move(btHelp->x() - 108, btHelp->y());
    dgStat->resize(dgStat->width(), btHelp->geometry().bottom() + 1 - dgStat->y());
    buildPicturePanel();

    connect(btAppend, &QPushButton::clicked, this, &TfmMxStat::btAppendClick);
    connect(btFromOp0, &QPushButton::clicked, this, &TfmMxStat::btFromOp0Click);
    connect(btDelete, &QPushButton::clicked, this, &TfmMxStat::btDeleteClick);
    connect(btDelAll, &QPushButton::clicked, this, &TfmMxStat::btDelAllClick);
    connect(btCalc, &QPushButton::clicked, this, [this] { btCalcClick([this] { saySummary(); }); });
    connect(btOK, &QPushButton::clicked, this, &QWidget::close);
    connect(btImport, &QPushButton::clicked, this, &TfmMxStat::btImportClick);
    connect(btExport, &QPushButton::clicked, this, &TfmMxStat::btExportClick);
    connect(btPicture, &QPushButton::toggled, this, &TfmMxStat::showPicture);
    connect(btCopyPicture, &QPushButton::clicked, this, &TfmMxStat::copyPicture);
    connect(btHelp, &QPushButton::clicked, this, [this] {
        if (m_showHelp)
            m_showHelp(hcStatistics);
    });
    connect(m_sample.get(), &StatSample::countChanged, this, &TfmMxStat::CheckRecordCount);
    // A refused grid edit is reported once the grid has finished committing it: a modal
    // message inside the commit runs an event loop in which the grid's editor may be
    // deleted while the grid still works on it.
    connect(m_sample.get(), &StatSample::refused, this, &TfmMxStat::warn, Qt::QueuedConnection);
    connect(m_sample.get(), &StatSample::storeFailed, this, &TfmMxStat::reportStoreFailure);
    connect(dgStat->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfmMxStat::keepCurrentMarked, Qt::QueuedConnection);
    // From the entry field to its buttons and Calculate, then through the measures, each
    // field before its "В ввод".
    QWidget* previous = edNewNumber;
    for (QWidget* w : {static_cast<QWidget*>(btAppend), static_cast<QWidget*>(btFromOp0),
                       static_cast<QWidget*>(btCalc)}) {
        setTabOrder(previous, w);
        previous = w;
    }
    for (const MeasureRow& row : m_measureRows) {
        setTabOrder(previous, row.field);
        setTabOrder(row.field, row.transfer);
        previous = row.transfer;
    }
}

void TfmMxStat::buildMeasureRows(StatMeasureGroup group, QWidget* parent, int left, int top)
{
    for (const StatMeasure& m : statMeasureTable()) {
        if (m.group != group)
            continue;
        auto* label = new QLabel(QLatin1String(m.caption), parent);
        label->setObjectName(QLatin1String(m.label));
        label->setGeometry(left, top + 3, 240, 20);
        QLineEdit* field = makeMeasureField(m.field, parent, {left + 248, top, 150, 24});
        label->setBuddy(field);
        auto* transfer = button(m.button, QStringLiteral("В ввод"), parent, {left + 404, top, 52, 24});
        transfer->setToolTip(QStringLiteral("Скопировать в поле «Ввод и результат»"));
        const StatMeasureId id = m.id;
        connect(transfer, &QPushButton::clicked, this, [this, id] { transferToOp0(id); });
        m_measureRows.push_back({&m, label, field, transfer});
        top += kRowHeight;
    }
}

const TfmMxStat::MeasureRow& TfmMxStat::measureRow(StatMeasureId id) const
{
    // The window has a row for every line of the table.
    return *std::find_if(m_measureRows.begin(), m_measureRows.end(),
                         [id](const MeasureRow& row) { return row.measure->id == id; });
}

void TfmMxStat::buildOrderGroup()
{
    gbOrder = new QGroupBox(QStringLiteral("Order measures"), this);
    gbOrder->setObjectName(QStringLiteral("gbOrder"));
    gbOrder->setGeometry(196, kGroupTop, 464, kGroupHeight);
    buildMeasureRows(StatMeasureGroup::Order, gbOrder, 4, 22);
}

void TfmMxStat::buildPicturePanel()
{
    const int height = btHelp->geometry().bottom() + 1 - dgStat->y();
    pnPicture = new QWidget(this);
    pnPicture->setObjectName(QStringLiteral("pnPicture"));
    pnPicture->setGeometry(kPanelLeft, dgStat->y(), kPanelWidth, height);
    chart = new SampleChart(
        [this](double v) { return m_numbers.general(v); }, pnPicture);
    chart->setGeometry(0, 0, kPanelWidth, height - 36);
    btCopyPicture = button("btCopyPicture", QStringLiteral("Copy picture"), pnPicture,
                           {kPanelWidth - 180, height - 28, 180, 28});
    btCopyPicture->setEnabled(false); // until Calculate has drawn a picture
}

void TfmMxStat::fitSize()
{
    const int width = pictureShown() ? pnPicture->geometry().right() + 1 + 10
                                     : btHelp->geometry().right() + 1 + 10;
    setFixedSize(width, btHelp->geometry().bottom() + 1 + 10);
}

bool TfmMxStat::pictureShown() const
{
    return btPicture->isChecked();
}

void TfmMxStat::showPicture(bool shown)
{
    if (btPicture->isChecked() != shown) {
        btPicture->setChecked(shown); // comes back here through toggled
        return;
    }
    pnPicture->setVisible(shown);
    fitSize();
}

void TfmMxStat::copyPicture()
{
    QGuiApplication::clipboard()->setImage(chart->image());
}

void TfmMxStat::FormCreate()
{
    ApplyInterfaceText(this);
    setProperty("helpContext", int(hcStatistics));
    for (const MeasureRow& row : m_measureRows) {
        // The field is named by its label's shown text, the button after the field.
        const QString name = row.label->text();
        row.field->setAccessibleName(name);
        row.transfer->setAccessibleName(QStringLiteral("В ввод: ") + name);
    }
    const bool keepsPicture = m_share && m_share->isOpen() && hasField(*m_share, kPictureField);
    btPicture->setChecked(!keepsPicture || m_share->cursor().asBoolean(kPictureField));
    showPicture(btPicture->isChecked());
    restoreWindow(*this, readPlacement(m_share, kStatWindowPlacement).value_or(WindowPlacement{}),
                  m_neighbour);
    CheckRecordCount();
    setCurrentRecord(0);
    edNewNumber->setFocus(Qt::OtherFocusReason);
}

void TfmMxStat::FormDestroy()
{
    if (!m_share || !m_share->isOpen())
        return;
    try {
        EnsureTableEdit(*m_share);
        writePlacement(*m_share, kStatWindowPlacement, x(), y());
        if (hasField(*m_share, kPictureField))
            m_share->cursor().setValue(kPictureField, pictureShown());
        PostTableIfEditing(*m_share);
    } catch (const StoreError& e) {
        m_share->cursor().cancel();
        reportStoreFailure(QStringLiteral("Положение окна не сохранено.\r\r") +
                           storeFailureText(e));
    }
}

void TfmMxStat::closeEvent(QCloseEvent* event)
{
    // Closed while a task runs (the program ends, or the window is closed by the system):
    // the task is cancelled and leaves nothing behind; a column being written is rolled back.
    m_tasks->cancel();
    emit closing();
    event->accept();
}

void TfmMxStat::CheckRecordCount()
{
    const qint64 n = m_sample->count();
    for (QPushButton* bt : {btDelete, btDelAll, btCalc, btExport})
        bt->setEnabled(n > 0);
    m_summary.measures.n = n;
    for (const MeasureRow& row : m_measureRows)
        if (row.measure->followsCount)
            row.field->setText(QString::number(n));
}

bool TfmMxStat::btCalcClick(std::function<void()> then)
{
    if (busy())
        return false;
    if (!sampleCounted())
        return false;
    CheckRecordCount();
    if (m_sample->count() == 0) {
        warn(QStringLiteral("Выборка пуста: добавьте числа, чтобы вычислить среднее и сумму."));
        return false;
    }
    m_tasks->run(std::make_unique<SampleCalculation>(*m_sample), [this, then](SampleTask* task) {
        if (!task)
            return;
        if (!task->error().isEmpty()) {
            warn(task->error());
            return;
        }
        m_summary = static_cast<SampleCalculation*>(task)->summary();
        showMeasures();
        if (then)
            then();
    });
    return true;
}

void TfmMxStat::showMeasures()
{
    for (const MeasureRow& row : m_measureRows)
        if (!row.measure->followsCount)
            row.field->setText(m_numbers.general(row.measure->value(m_summary)));
    chart->setPicture(m_summary.picture);
    btCopyPicture->setEnabled(true);
}

void TfmMxStat::transferToOp0(StatMeasureId id)
{
    m_input.setValue(measureRow(id).measure->value(m_summary));
    emit inputChanged();
}

QString TfmMxStat::spokenMeasure(StatMeasureId id) const
{
    const MeasureRow& row = measureRow(id);
    return row.field->accessibleName() + QStringLiteral(": ") + row.field->text();
}

void TfmMxStat::sayCount()
{
    // Said where the user is: here, or in the main window after its key Dat.
    QWidget* active = QApplication::activeWindow();
    if (m_announcer)
        m_announcer->say(active ? active : this, spokenMeasure(StatMeasureId::Count));
}

void TfmMxStat::saySummary()
{
    // Enough to choose what to read next: the count, the mean, the spread and the bounds.
    QStringList parts;
    for (StatMeasureId id : {StatMeasureId::Count, StatMeasureId::Mean, StatMeasureId::Deviation,
                             StatMeasureId::Min, StatMeasureId::Max})
        parts << spokenMeasure(id);
    if (m_announcer)
        m_announcer->say(this, parts.join(QStringLiteral("; ")));
}

bool TfmMxStat::appendValues(std::span<const double> values)
{
    try {
        m_sample->append(values);
    } catch (const StoreError& e) {
        reportStoreFailure(QStringLiteral("Числа не записаны.\r\r") + storeFailureText(e));
        return false;
    }
    setCurrentRecord(m_sample->count() - 1);
    return true;
}

void TfmMxStat::btAppendClick()
{
    if (busy())
        return;
    const NumberRead p = m_numbers.read(edNewNumber->text(), NumberRange::Double);
    if (!p.ok() && p.status != NumberRead::Empty) { // an empty field appends 0
        warn(NumberText::refusal(p.status, edNewNumber->text()));
        edNewNumber->setFocus(Qt::OtherFocusReason);
        return;
    }
    const double value = double(p.value);
    const bool appended = appendValues(std::span<const double>(&value, 1));
    if (appended) {
        edNewNumber->setText(m_numbers.general(value));
        edNewNumber->setFocus(Qt::OtherFocusReason);
        edNewNumber->selectAll();
    }
    CheckRecordCount();
    if (appended)
        sayCount();
}

void TfmMxStat::btFromOp0Click()
{
    if (busy())
        return;
    const CalcValue v = m_input.value();
    if (!(std::fabs(v) <= CalcValue(DBL_MAX))) {
        warn(NumberText::refusal(NumberRead::OutOfRange, m_input.text()));
        return;
    }
    const double value = double(v);
    const bool appended = appendValues(std::span<const double>(&value, 1));
    CheckRecordCount();
    if (appended)
        sayCount();
}

void TfmMxStat::btDeleteClick()
{
    if (busy())
        return;
    const QModelIndex current = dgStat->currentIndex();
    if (current.isValid()) {
        const int row = current.row();
        try {
            m_sample->removeAt(row);
        } catch (const StoreError& e) {
            reportStoreFailure(QStringLiteral("Число не удалено.\r\r") + storeFailureText(e));
        }
        // The next record, or the new last one.
        setCurrentRecord(row);
    }
    CheckRecordCount();
}

void TfmMxStat::setCurrentRecord(qint64 row)
{
    const qint64 n = m_sample->count();
    QItemSelectionModel* selection = dgStat->selectionModel();
    if (n == 0) {
        selection->clear();
        return;
    }
    const QModelIndex index = m_sample->index(int(std::clamp<qint64>(row, 0, n - 1)), 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    dgStat->scrollTo(index);
}

void TfmMxStat::keepCurrentMarked()
{
    QItemSelectionModel* selection = dgStat->selectionModel();
    if (m_sample->count() == 0 || selection->hasSelection())
        return;
    const QModelIndex current = dgStat->currentIndex();
    setCurrentRecord(current.isValid() ? current.row() : 0);
}

void TfmMxStat::btDelAllClick()
{
    if (busy())
        return;
    if (m_messages.ShowMsgDlg(QStringLiteral("Удалить все"), mkWarning, mbYesNo, hcNone) ==
        mrYes) {
        try {
            m_sample->removeAll();
        } catch (const StoreError& e) {
            reportStoreFailure(QStringLiteral("Числа не удалены.\r\r") + storeFailureText(e));
        }
        setCurrentRecord(0);
    }
    CheckRecordCount();
}

void TfmMxStat::deleteGridRecord()
{
    if (!dgStat->currentIndex().isValid())
        return;
    if (m_messages.ShowMsgDlg(QStringLiteral("Удалить запись?"), mkConfirmation, mbYesNo,
                                     hcNone) == mrYes)
        btDeleteClick();
}


void TfmMxStat::commitGridEdit()
{
    // An edit still open in the grid is written first: nothing else may write the table
    // while the column is written.
    if (QWidget* editor = dgStat->indexWidget(dgStat->currentIndex())) {
        QMetaObject::invokeMethod(dgStat, "commitData", Q_ARG(QWidget*, editor));
        QMetaObject::invokeMethod(dgStat, "closeEditor", Q_ARG(QWidget*, editor),
                                  Q_ARG(QAbstractItemDelegate::EndEditHint,
                                        QAbstractItemDelegate::NoHint));
    }
}

void TfmMxStat::pasteNumbers(const QString& text)
{
    if (busy())
        return;
    commitGridEdit();
    NumberColumn column(text.toUtf8(), NumberColumn::Source::Pasted, m_numbers);
    m_tasks->run(std::make_unique<BulkAppend>(*m_sample, std::move(column), QString(),
                                              QStringLiteral("В буфере обмена нет чисел.")),
                 [this](SampleTask* task) { appendDone(task); });
}

void TfmMxStat::appendDone(SampleTask* task)
{
    CheckRecordCount();
    if (!task)
        return;
    if (!task->error().isEmpty()) {
        warn(task->error());
        return;
    }
    setCurrentRecord(m_sample->count() - 1);
}

FileDialogs& TfmMxStat::files()
{
    if (m_files)
        return *m_files;
    if (!m_ownFiles)
        m_ownFiles = std::make_unique<FileDialogs>(QDir::currentPath());
    return *m_ownFiles;
}

void TfmMxStat::btImportClick()
{
    if (busy())
        return;
    const QString path = files().openFile(
        this, {QStringLiteral("sample-import"), QStringLiteral("Импорт выборки"),
               QStringLiteral("Текст и CSV (*.txt *.csv);;Все файлы (*)")});
    if (!path.isEmpty())
        importFile(path);
}

void TfmMxStat::importFile(const QString& path)
{
    if (busy())
        return;
    commitGridEdit();
    m_tasks->run(std::make_unique<SampleImport>(*m_sample, path, m_numbers),
                 [this](SampleTask* task) { appendDone(task); });
}

void TfmMxStat::btExportClick()
{
    if (busy() || m_sample->count() == 0)
        return;
    const QString path = files().saveFile(
        this, {QStringLiteral("sample-export"), QStringLiteral("Экспорт выборки"),
               QStringLiteral("CSV (*.csv);;Все файлы (*)"), QStringLiteral("выборка.csv"),
               QStringLiteral("csv")});
    if (!path.isEmpty())
        exportFile(path);
}

void TfmMxStat::exportFile(const QString& path)
{
    if (busy() || !sampleCounted())
        return;
    m_tasks->run(std::make_unique<SampleExport>(*m_sample, path), [this](SampleTask* task) {
        if (task && !task->error().isEmpty())
            warn(task->error());
    });
}

bool TfmMxStat::sampleCounted()
{
    try {
        m_sample->finishOpening();
        return true;
    } catch (const StoreError& e) {
        reportStoreFailure(QStringLiteral("Числа выборки не прочитаны.\r\r") + storeFailureText(e));
        return false;
    }
}

bool TfmMxStat::busy() const
{
    return m_tasks->busy();
}

void TfmMxStat::reportStoreFailure(const QString& message)
{
    m_messages.ShowMsgDlg(message, mkError, mbOKOnly, hcMessages);
}

void TfmMxStat::warn(const QString& message)
{
    m_messages.ShowMsgDlg(message, mkWarning, mbOKOnly, hcStatistics);
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
        const NumberRead p = m_numbers.read(edNewNumber->text(), NumberRange::Double);
        if (p.ok())
            edNewNumber->setText(m_numbers.general(p.value));
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
