#pragma once

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QSlider>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace mx::test {

// The captions under a decimal-places track bar, by the width their texts take in their
// font: none runs into the next, and the last ends inside the box that holds them.
inline void expectTickLabelsApart(const QSlider* trackBar, const QLabel* floatLabel)
{
    const QWidget* box = trackBar->parentWidget();
    std::vector<QRect> texts;
    for (const QLabel* l : box->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (l != floatLabel && !l->property("decPosTick").isValid())
            continue;
        const int width = QFontMetrics(l->font()).horizontalAdvance(l->text());
        EXPECT_GE(l->width(), width) << l->text().toStdString() << " is cut";
        const int left = l->alignment() & Qt::AlignHCenter
                             ? l->x() + (l->width() - width) / 2
                             : l->x();
        texts.push_back(QRect(left, l->y(), width, l->height()));
    }
    ASSERT_EQ(texts.size(), 7u);
    std::sort(texts.begin(), texts.end(), [](QRect a, QRect b) { return a.x() < b.x(); });
    for (std::size_t i = 1; i < texts.size(); ++i)
        EXPECT_GT(texts[i].left(), texts[i - 1].right() + 1) << "caption " << i << " touches";
    EXPECT_LE(texts.back().right(), box->width() - 4);
}

// Buttons of one row, each as wide as its caption needs and clear of the next.
inline void expectButtonsApart(std::initializer_list<const QAbstractButton*> row)
{
    const QAbstractButton* before = nullptr;
    for (const QAbstractButton* b : row) {
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString() << " is cut";
        EXPECT_LE(b->geometry().right(), b->parentWidget()->width() - 2) << b->text().toStdString();
        if (before) {
            EXPECT_GT(b->x(), before->geometry().right() + 1) << b->text().toStdString();
        }
        before = b;
    }
}

} // namespace mx::test
