#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace mx {

// Sees every key press of the application once. F1 opens the help page of the window it
// was typed in, whichever window that is; any other key is offered to the preview of the
// window it was typed in, when that window has one.
class AppKeyFilter : public QObject
{
    Q_OBJECT

public:
    using HelpHandler = std::function<void(int helpContext)>;
    // The focused control receives the key as well, after the preview.
    using Preview = std::function<void(const QKeyEvent& event)>;

    explicit AppKeyFilter(HelpHandler help) : m_help(std::move(help)) {}

    void setPreview(QWidget* window, Preview preview)
    {
        m_previewWindow = window;
        m_preview = std::move(preview);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HelpHandler m_help;
    QWidget* m_previewWindow = nullptr;
    Preview m_preview;
};

} // namespace mx
