#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;
class QUrl;

namespace mx {

// The help pages in a window of the program's own: a text browser with its links, Back and
// the contents, so that help needs no web browser and a screen reader reads it like any other
// window. Links to the web go to the desktop's browser.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // `contents` is the page that the contents button opens.
    explicit HelpWindow(const QString& contents, QWidget* parent = nullptr);

    // Shows `page`, brings the window to the front and gives the page the focus.
    void showPage(const QString& page);

    QTextBrowser* brHelp;
    QPushButton* btBack;
    QPushButton* btContents;
    QPushButton* btClose;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void followLink(const QUrl& url);

    QString m_contents;
};

} // namespace mx
