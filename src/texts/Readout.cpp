#include "Readout.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace mx {

namespace {

// A read-only single-line text: the readout's value with its selection.
class ReadoutAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ReadoutAccessible(Readout* r) : QAccessibleWidget(r, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.editable = false;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return readout()->text();
        return QAccessibleWidget::text(t);
    }

    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && readout()->selected())
            *end = characterCount();
    }
    int selectionCount() const override { return readout()->selected() ? 1 : 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return readout()->selected() ? characterCount() : 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override
    {
        return readout()->text().mid(start, end < 0 ? -1 : end - start);
    }
    // The one line is the whole value, wherever the offset lies.
    QString textAtOffset(int, QAccessible::TextBoundaryType, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return readout()->text();
    }
    int characterCount() const override { return int(readout()->text().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    // One run without attributes over the whole value.
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return QString();
    }

private:
    Readout* readout() const { return static_cast<Readout*>(widget()); }
};

QAccessibleInterface* readoutFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("mx::Readout") && object && object->isWidgetType())
        return new ReadoutAccessible(static_cast<Readout*>(object));
    return nullptr;
}

} // namespace

Readout::Readout(QWidget* parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(readoutFactory);
        return true;
    }();
    (void)installed;
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void Readout::setText(const QString& text)
{
    if (text == m_text && !m_selected)
        return;
    // Not selected, the inserted value is not spoken; no selection change is reported, so
    // the end of the last one's selection is not spoken either.
    m_selected = false;
    replaceText(text);
}

void Readout::speak()
{
    m_selected = true;
    // Inserted once more, with no removal first: a screen reader reads the removal of what
    // is selected by then as selected text deleted.
    if (QAccessible::isActive()) {
        QAccessibleTextInsertEvent inserted(this, 0, m_text);
        QAccessible::updateAccessibility(&inserted);
    }
}

void Readout::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_selected = false;
}

void Readout::replaceText(const QString& text)
{
    const QString old = m_text;
    m_text = text;
    if (!QAccessible::isActive())
        return;
    if (!old.isEmpty()) {
        QAccessibleTextRemoveEvent removed(this, 0, old);
        QAccessible::updateAccessibility(&removed);
    }
    QAccessibleTextInsertEvent inserted(this, 0, m_text);
    QAccessible::updateAccessibility(&inserted);
}

} // namespace mx
