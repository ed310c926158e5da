#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace mx {

// The about dialog: the product's title, description and web site.
class TfmMxAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TfmMxAbout(std::function<void(int)> showHelp, QWidget* parent = nullptr);

    QLabel* lbAppName;
    QLabel* lbAppDescript;
    QLabel* lbAppBuild;
    QLabel* lbAppSite;
    QLabel* lbURL;
    QPushButton* btOK;
    QPushButton* btHelp;

public slots:
    void reject() override;

private:
    std::function<void(int)> m_showHelp;
};

} // namespace mx
