#pragma once

#include "MsgDlgLayout.h"

#include <QDialog>

#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace mx {

// The program's own modal message dialog: an icon for the kind, the message in a frame,
// up to three buttons laid out from the right and an optional help button. It has no close
// box; only its buttons, or Esc for a cancel button, close it.
class TfmMxMsg : public QDialog
{
    Q_OBJECT

public:
    explicit TfmMxMsg(QWidget* parent = nullptr);

    // Prepares the dialog for one message; the help button calls `onHelp` with the context.
    void setup(const QString& message, int kind, MsgButtons buttons, int helpContext);
    void setHelpHandler(std::function<void(int)> onHelp) { m_onHelp = std::move(onHelp); }

    int helpContext() const { return m_helpContext; }

    QLabel* stDlgType;
    QGroupBox* gbMessage;
    QLabel* lbMessage;
    QPushButton* bt1;
    QPushButton* bt2;
    QPushButton* bt3;
    QPushButton* btHelp;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void btHelpClick();

    MsgDlgLayout m_layout;
    int m_helpContext = 0;
    std::function<void(int)> m_onHelp;
};

} // namespace mx
