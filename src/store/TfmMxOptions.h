#pragma once

#include "engine/CalcSettings.h"

#include <QDialog>

#include <functional>
#include <map>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace mx {

// The options dialog: the nine settings and the kept tape in one place, with a help panel that explains the
// control under the mouse or in focus. Apply and OK hand the controls' settings to `apply`,
// which puts them in force and into the main window; nothing is stored here.
class TfmMxOptions : public QDialog
{
    Q_OBJECT

public:
    using ApplyHandler = std::function<void(const CalcSettings&)>;

    TfmMxOptions(const CalcSettings& settings, ApplyHandler apply,
                 std::function<void(int)> showHelp, QWidget* parent = nullptr);

    // What the help panel shows while no control is explained.
    static QString idleHelp();

    bool modified() const { return m_modified; }

    QGroupBox* gbClsNumber;
    QSlider* tbClsDecPos;
    QLabel* lbFloat;
    QWidget* pnUnderDigGr;
    QCheckBox* cbClsDigitGrouping;
    QGroupBox* gbClsDelimStr;
    QLineEdit* edClsDelimStr;
    QGroupBox* gbClsAngle;
    QRadioButton* rbClsRadian;
    QRadioButton* rbClsDegree;
    QGroupBox* gbClsHistory;
    QWidget* pnUnderHistory;
    QCheckBox* cbClsHistory;
    QWidget* pnUndeerTotals;
    QCheckBox* cbClsTotals;
    QWidget* pnUnderKeepHistory;
    QCheckBox* cbClsKeepHistory;
    QGroupBox* gbClsFormula;
    QWidget* pnUnderFormula;
    QCheckBox* cbClsFormula;
    QWidget* pnUnderFrmlHistory;
    QCheckBox* cbClsFrmlHistory;
    QWidget* pnUnderFrmlResHistory;
    QCheckBox* cbClsFrmlResHistory;
    QGroupBox* gbClsHelp;
    QLabel* lbClsHelp;
    QPushButton* btOK;
    QPushButton* btCancel;
    QPushButton* btApply;
    QPushButton* btHelp;

    void OptionsModified(bool modified);
    void btApplyClick();
    void btOKClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCheckBox* rowCheckBox(QWidget* parent, const char* panel, const char* box, int y,
                           QWidget*& panelOut);
    void loadControls();
    void showHelpText(const QString& text);

    CalcSettings m_settings; // the settings in force when opened or last applied
    ApplyHandler m_apply;
    std::function<void(int)> m_showHelp;
    bool m_modified = false;
    std::map<QObject*, QString> m_mouseHelp; // areas that explain a control under the mouse
    std::map<QObject*, QString> m_focusHelp; // controls explained while they have the focus
};

} // namespace mx
