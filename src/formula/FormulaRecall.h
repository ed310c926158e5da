#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace mx {

// The formulas run in this run, walked with Up and Down in the formula line: Up goes to
// the next older one, Down back to the next newer one and, past the newest, to the text
// that was being typed when the walk began. A formula run twice in a row is kept once.
class FormulaRecall
{
public:
    // Formulas kept; the oldest go first.
    static constexpr qsizetype kMaxFormulas = 1000;

    // A formula was run: it becomes the newest (blank ones are not kept), and the next walk
    // starts from the line being typed.
    void remember(const QString& formula);

    // The next older formula; the first step of a walk keeps `typing`, the line's text, to
    // give it back. Nothing when there is no older one.
    std::optional<QString> older(const QString& typing);
    // The next newer formula, or the kept text past the newest; nothing when not walking.
    std::optional<QString> newer();

private:
    QStringList m_formulas; // oldest first
    qsizetype m_at = -1;    // the formula shown, -1 while the typed text is
    QString m_typing;
};

} // namespace mx
