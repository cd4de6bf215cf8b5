// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QObject>
#include <QVariant>

class QAbstractItemView;
class QPalette;

// How a list row that carries a warning looks, in every list of the program:
// its text in a warning colour that stands out from the list's background by
// at least LeastContrast on the colour scheme in force (light or dark, also
// when the desktop switches it while the program runs), and a small warning
// icon before it, so that colour is never the only mark. The warning is the
// row's tooltip and what a screen reader reads as its description. The
// row's text is left exactly as it is.
class WarningLook : public QObject {
    Q_OBJECT
public:
    // The least contrast of normal text that the WCAG ask for.
    static constexpr double LeastContrast = 4.5;

    // Follows view's palette and sizes view's icons to its text, so that a
    // warned row is as high as any other.
    explicit WarningLook(QAbstractItemView *view);

    // What a model's data() gives for role of a row that carries warning:
    // the colour (ForegroundRole), the icon (DecorationRole), the warning
    // (ToolTipRole, AccessibleDescriptionRole); nothing (an invalid QVariant)
    // for other roles and for a row without warning.
    QVariant data(int role, const QString &warning) const;

    // A warning red as light or dark as it must be to stand out by
    // LeastContrast from palette's Base; the palette's Text colour where no
    // red can.
    static QColor colourOn(const QPalette &palette);
    // The contrast ratio of two colours by the WCAG's relative luminance:
    // 1 (the same) to 21 (black on white).
    static double contrast(const QColor &a, const QColor &b);

signals:
    // The colour or the icon changed: every warned row must be drawn anew.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();

    QAbstractItemView *m_view;
    QColor m_colour;
    QIcon m_icon;
};
