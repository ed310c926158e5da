#include "FormulaFrame.h"

#include "FormulaEdit.h"
#include "NumericEdit.h"
#include "formula/FormulaFunctionTable.h"
#include "formula/FormulaTemplates.h"
#include "texts/ApplyInterfaceText.h"
#include "texts/WindowLook.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace mx {

namespace {

constexpr int kMargin = 8;      // left of the formula line in the frame
constexpr int kEqvWidth = 16;
constexpr int kResultWidth = 170;
constexpr int kRunWidth = 96;
constexpr int kFunctionKeyHeight = 22;

} // namespace

FormulaFrame::FormulaFrame(NumericField& result, const QFont& mono, QWidget* parent)
    : QGroupBox(QStringLiteral("Formula"), parent)
{
    setObjectName(QStringLiteral("gbClsFormula"));

    edClsFormula = new FormulaEdit(this);
    edClsFormula->setFont(withPixelSize(mono, 15));
    edClsFormula->setGeometry(kMargin, 20, 300, 26);
    lbClsFrmlHint = new QLabel(this);
    lbClsFrmlHint->setObjectName(QStringLiteral("lbClsFrmlHint"));
    lbClsFrmlHint->setAccessibleName(QStringLiteral("Значение формулы при наборе"));
    lbClsFrmlHint->setFont(withPixelSize(mono, 15));
    lbClsFrmlEqv = new QLabel(QStringLiteral("="), this);
    lbClsFrmlEqv->setObjectName(QStringLiteral("lbClsFrmlEqv"));
    lbClsFrmlEqv->setAlignment(Qt::AlignCenter);
    lbClsFrmlEqv->setGeometry(0, 20, kEqvWidth, 26);
    edClsFrmlRes = new NumericEdit(result, this);
    edClsFrmlRes->setAccessibleName(QStringLiteral("Результат формулы"));
    edClsFrmlRes->setFont(withPixelSize(mono, 15));
    edClsFrmlRes->setGeometry(0, 20, kResultWidth, 26);

    cbClsFrmlHistory = new QCheckBox(QStringLiteral("Write formula to history"), this);
    cbClsFrmlHistory->setObjectName(QStringLiteral("cbClsFrmlHistory"));
    cbClsFrmlResHistory = new QCheckBox(QStringLiteral("Write result to history"), this);
    cbClsFrmlResHistory->setObjectName(QStringLiteral("cbClsFrmlResHistory"));
    btClsRun = new QPushButton(QStringLiteral("&Calculate"), this);
    btClsRun->setObjectName(QStringLiteral("btClsRun"));
    btClsRun->setAutoDefault(false);
    btClsClear = new QPushButton(QStringLiteral("Clear"), this);
    btClsClear->setObjectName(QStringLiteral("btClsClear"));
    btClsClear->setAutoDefault(false);

    gbClsFrmlFuncList = new QGroupBox(QStringLiteral("Functions"), this);
    gbClsFrmlFuncList->setObjectName(QStringLiteral("gbClsFrmlFuncList"));
    gbClsFrmlFuncList->move(kMargin, 52);
    // Made in the order of their places, so that they are read row by row.
    std::vector<const FormulaFunction*> byPlace;
    for (const FormulaFunction& f : formulaFunctionTable())
        byPlace.push_back(&f);
    std::sort(byPlace.begin(), byPlace.end(), [](const FormulaFunction* a, const FormulaFunction* b) {
        return std::pair(a->row, a->column) < std::pair(b->row, b->column);
    });
    for (const FormulaFunction* f : byPlace) {
        auto* bt = new QPushButton(QLatin1String(f->name), gbClsFrmlFuncList);
        bt->setObjectName(QLatin1String(f->buttonName));
        if (f->hint)
            applyHint(bt, QString::fromUtf16(f->hint));
        bt->setAccessibleName(QString::fromUtf16(f->accessibleName));
        bt->setFlat(true);
        bt->setFocusPolicy(Qt::NoFocus);
        bt->setAutoDefault(false);
        const QString name = bt->text();
        const int caretBack = f->caretBack;
        connect(bt, &QPushButton::clicked, this, [this, name, caretBack] { InsertTemplate(name, caretBack); });
        functionButtons.push_back(bt);
        m_functionPlaces.push_back({f->row, f->column});
    }
    resize(width(), kHeight);
    layoutForWidth(kMargin * 2 + 300 + kEqvWidth + kResultWidth);
    setFunctionListWidth(edClsFormula->width() - 2);
}

void FormulaFrame::setFunctionListWidth(int listWidth)
{
    gbClsFrmlFuncList->resize(listWidth, 94);
    const int keyWidth = (listWidth - 12) / kFunctionColumns;
    for (std::size_t i = 0; i < functionButtons.size(); ++i) {
        const Place& at = m_functionPlaces[i];
        functionButtons[i]->setGeometry(6 + (at.column - 1) * keyWidth,
                                        18 + (at.row - 1) * kFunctionKeyHeight, keyWidth,
                                        kFunctionKeyHeight);
    }
}

void FormulaFrame::layoutForWidth(int frameWidth)
{
    const int editWidth = frameWidth - 2 * kMargin - kEqvWidth - kResultWidth;
    resize(frameWidth, kHeight);
    edClsFormula->resize(editWidth, edClsFormula->height());
    lbClsFrmlEqv->move(edClsFormula->geometry().right() + 1, lbClsFrmlEqv->y());
    edClsFrmlRes->move(lbClsFrmlEqv->geometry().right() + 1, edClsFrmlRes->y());
    const int column = edClsFrmlRes->x();
    cbClsFrmlHistory->setGeometry(column, 54, frameWidth - column - 2, 20);
    cbClsFrmlResHistory->setGeometry(column, 74, frameWidth - column - 2, 20);
    const int runLeft = edClsFrmlRes->geometry().right() + 1 - kRunWidth;
    btClsRun->setGeometry(runLeft, 96, kRunWidth, 24);
    btClsClear->setGeometry(runLeft, 122, kRunWidth, 24);
}

void FormulaFrame::InsertTemplate(const QString& name, int caretBack)
{
    edClsFormula->insert(formulaTemplate(name));
    if (caretBack == kNoCaretMove)
        return;
    edClsFormula->setCursorPosition(edClsFormula->cursorPosition() - caretBack);
    edClsFormula->setFocus(Qt::OtherFocusReason);
}

} // namespace mx
