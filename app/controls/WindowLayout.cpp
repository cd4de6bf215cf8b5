#include "app/controls/WindowLayout.h"

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
