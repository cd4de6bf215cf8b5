// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QWidget>

class QLabel;
#include <initializer_list>
#include <utility>

// Window geometry is designed in twips; 15 twips make one logical pixel.
namespace WindowLayout {

int pixels(int twips);
QSize clientSize(int widthTwips, int heightTwips);
// Places a control by its designed left, top, width and height in twips.
void place(QWidget *control, int left, int top, int width, int height);
// Makes a control on window from its designed name (which becomes its
// objectName) and place; arguments go to the control's constructor ahead of
// its parent (a caption, a text, whether a list is sorted).
template <class Control, class... Arguments>
Control *addControl(QWidget *window, const char *name, int left, int top, int width, int height,
                    Arguments &&...arguments)
{
    auto *control = new Control(std::forward<Arguments>(arguments)..., window);
    control->setObjectName(QLatin1String(name));
    place(control, left, top, width, height);
    return control;
}
// A label on window from its designed name, caption, place and font. Its
// text wraps at blanks; where the desktop's letters are too wide for the
// designed box, they shrink until the text fits.
QLabel *addLabel(QWidget *window, const char *name, const QString &caption, int left, int top, int width,
                 int height, const QFont &font, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);
// A font by family, point size and weight; the desktop substitutes a family
// it lacks by the nearest one it has.
QFont designFont(const QString &family, qreal points, bool bold = false);
// Chains the keyboard focus through the controls in the order given, which
// is the order of their tab indexes.
void chainTabOrder(std::initializer_list<QWidget *> controlsInTabOrder);
// Gives controls of window, found by their designed names, the names that a
// screen reader says for them: a text box its label's words, a list what it
// shows. Buttons are left out, as a screen reader says their captions.
void nameForScreenReaders(QWidget *window, std::initializer_list<std::pair<const char *, QString>> names);

} // namespace WindowLayout
