#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <initializer_list>

class QWidget;

// Window geometry is designed in twips; 15 twips make one logical pixel.
namespace WindowLayout {

int pixels(int twips);
QSize clientSize(int widthTwips, int heightTwips);
// Places a control by its designed left, top, width and height in twips.
void place(QWidget *control, int left, int top, int width, int height);
// A font by family, point size and weight; the desktop substitutes a family
// it lacks by the nearest one it has.
QFont designFont(const QString &family, qreal points, bool bold = false);
// Chains the keyboard focus through the controls in the order given, which
// is the order of their tab indexes.
void chainTabOrder(std::initializer_list<QWidget *> controlsInTabOrder);

} // namespace WindowLayout
