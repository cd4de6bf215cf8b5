// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/WindowLayout.h"

#include <QLabel>
#include <QWidget>
#include <QtMath>

namespace WindowLayout {

int pixels(int twips)
{
    return qRound(twips / 15.0);
}

QSize clientSize(int widthTwips, int heightTwips)
{
    return {pixels(widthTwips), pixels(heightTwips)};
}

void place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
}

QFont designFont(const QString &family, qreal points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QLabel *addLabel(QWidget *window, const char *name, const QString &caption, int left, int top, int width,
                 int height, const QFont &font, Qt::Alignment alignment)
{
    auto *label = addControl<QLabel>(window, name, left, top, width, height, caption);
    label->setWordWrap(true);
    label->setAlignment(alignment);
    QFont fitted = font;
    auto fits = [&] {
        const QRect needed = QFontMetrics(fitted).boundingRect(QRect(0, 0, label->width(), 1 << 16),
                                                               int(alignment) | Qt::TextWordWrap, caption);
        return needed.width() <= label->width() && needed.height() <= label->height();
    };
    while (fitted.pointSizeF() > 6 && !fits())
        fitted.setPointSizeF(fitted.pointSizeF() - 0.25);
    label->setFont(fitted);
    return label;
}

void nameForScreenReaders(QWidget *window, std::initializer_list<std::pair<const char *, QString>> names)
{
    for (const auto &[control, name] : names) {
        QWidget *found = window->findChild<QWidget *>(QLatin1String(control));
        Q_ASSERT_X(found, "nameForScreenReaders", control);
        found->setAccessibleName(name);
    }
}

void chainTabOrder(std::initializer_list<QWidget *> controlsInTabOrder)
{
    QWidget *previous = nullptr;
    for (QWidget *control : controlsInTabOrder) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace WindowLayout
