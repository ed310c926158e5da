#pragma once

#include "engine/CalcHost.h"
#include "engine/NumberSeparators.h"
#include "formula/FormulaRecall.h"
#include "keypad/KeypadLayout.h"
#include "keypad/KeypadView.h"
#include "texts/Announcer.h"
#include "texts/MessagePort.h"

#include <QFont>

#include <functional>
#include <QMainWindow>

#include <map>
#include <memory>

class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace mx {

class CalcCore;
class CaptionColours;
class ClassicRecord;
class FormulaCalc;
class FormulaFrame;
class FormulaHint;
class KeyFocus;
class Keypad;
class MessagePort;
class NumericEdit;
class Readout;
class SavedState;
class ScriptScope;
class TapeMemo;

// The main window: the keypad calculator with its tape. It builds its controls, forwards
// every event to the keypad's routines and shows the calculator's state.
class TfmMxMain : public QMainWindow, public CalcHost, public KeypadView
{
    Q_OBJECT

public:
    // Loads the settings and the window position from `saved` and writes them back to it
    // when the window is destroyed. Formulas run in the engine's global scope `scripts`.
    TfmMxMain(MessagePort& messages, ClassicRecord& classic, SavedState& saved,
              const NumberSeparators& seps, ScriptScope& scripts, QWidget* parent = nullptr);
    ~TfmMxMain() override;

    CalcCore& core() { return *m_core; }
    Keypad& keypad() { return *m_keypad; }
    FormulaCalc& formula() { return *m_formula; }
    FormulaHint& formulaHint() { return *m_hint; }
    bool keyPreview() const;
    KeyFocus& keyFocus() { return *m_focus; }
    QPushButton* button(KeyId id) const { return m_buttons.at(id); }
    // What the screen reader is told beyond the focus and the typed keys.
    Announcer& announcer() { return m_announcer; }
    // Has the input field's value said, as a key that shows a result does.
    void speakInput();

    // Base size of the window with the tape hidden.
    static constexpr int kBaseWidth = 515;
    static constexpr int kBaseHeight = 352;
    static constexpr int kTapeWidth = 300;

    // CalcHost
    void beep() override;
    void parkKeyFocus() override;
    void showLastOp(const QString& caption) override;

    // Pushes every setting into the controls; a control's handler runs when its state
    // actually changes.
    void ApplySettings();
    // The window's key preview: a key typed anywhere in the window drives the keypad through
    // the keyboard map, except while the tape has the focus.
    void FormKeyPress(const QKeyEvent& event);

    // Shows or hides the formula frame and sets the window's height from Formula.
    void ApplyFormulaLayout();
    // Evaluates the formula line; a failure at a position selects that character. The
    // formula is kept for Up and Down in the line, whether it ran well or not.
    void btClsRunClick();
    // The formula line emptied; the frame's Clear shows "0.0", the Clear command 0.
    void btClsClearClick();
    void clearFormula();

    // Writes the settings and the position; the destructor calls it.
    void FormDestroy();

    // KeypadView
    void ApplyHistoryLayout() override;
    void setTrigCaptions(const QString& sin, const QString& cos, const QString& tg) override;

    NumericEdit* edOp0;
    NumericEdit* edMem;
    QLabel* lbClsInput;
    QLabel* lbClsMemory;
    // Where the focus rests between keys: a control of no size behind the input field, which
    // carries the input field's name and value for a screen reader.
    Readout* lbForSetFocus;
    QWidget* pnLastOp;
    QLabel* lbLastOp;
    QGroupBox* gbClsNumber;
    QCheckBox* cbClsDigitGrouping;
    QSlider* tbClsDecPos;
    QLabel* lbClsFloat;
    QGroupBox* gbClsHistory;
    QCheckBox* cbClsHistory;
    QCheckBox* cbClsTotals;
    QCheckBox* cbClsFormula;
    QCheckBox* cbClsInv;
    QGroupBox* gbClsAngle;
    QRadioButton* rbClsRadian;
    QRadioButton* rbClsDegree;
    TapeMemo* meClsHistory;
    FormulaFrame* gbClsFormula;

signals:
    // The window is about to close: the windows that end with it close first.
    void closing();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildRegisters(QWidget* area);
    void buildSettingControls(QWidget* area);
    // The row before Backspace by the widths its shown captions need: "Arc", the angle box
    // with its two buttons, and the pending-operation panel in what is left.
    void layoutAngleRow();
    void buildKeypad(QWidget* area);
    void connectHandlers();
    // The keys' names for a screen reader and the order Tab takes through the window.
    void prepareKeyboardUse();
    // Runs a key's action and has what it shows said as `speech` tells.
    void runKey(KeySpeech speech, const std::function<void()>& action);
    void pressKey(KeyId id);
    void FormCreate();
    void FormActivate();
    void placeWindow();
    void buildFormulaFrame(QWidget* area);
    // The window's size from the shown parts: the tape widens it, the formula frame
    // lengthens it.
    void fitWindowSize();

    // True when the double-click was on a number of the value column, which it then reuses.
    bool meClsHistoryDblClick(const QString& line, int column);

    // Passes every message on and counts them, so that a key that ended in a message (which
    // the screen reader has read out) says no result.
    class CountedMessages : public MessagePort
    {
    public:
        explicit CountedMessages(MessagePort& port) : m_port(port) {}
        int ShowMsgDlg(const QString& message, int kind, MsgButtons buttons,
                       int helpContext) override
        {
            ++count;
            return m_port.ShowMsgDlg(message, kind, buttons, helpContext);
        }
        int count = 0;

    private:
        MessagePort& m_port;
    };

    CountedMessages m_messages;
    SavedState& m_saved;
    Announcer m_announcer;
    // The fixed-pitch face of the registers, the tape and the formula line, resolved once.
    QFont m_mono;
    // Decides the keys' caption colours against the palette the window has.
    CaptionColours* m_captions;
    bool m_saveDone = false;
    std::unique_ptr<CalcCore> m_core;
    std::unique_ptr<Keypad> m_keypad;
    std::unique_ptr<FormulaCalc> m_formula;
    FormulaRecall m_recall;
    std::unique_ptr<FormulaHint> m_hint;
    std::map<KeyId, QPushButton*> m_buttons;
    std::unique_ptr<KeyFocus> m_focus;
};

} // namespace mx
