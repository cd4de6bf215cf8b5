// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/WarningLook.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPalette>
#include <QStyle>
#include <cmath>

namespace {

double luminance(const QColor &colour)
{
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
           + 0.0722 * linear(colour.blueF());
}

// The hue and saturation of the warning red (#B02000) at a lightness.
QColor warningRed(double lightness)
{
    return QColor::fromHslF(11.0 / 360.0, 1.0, lightness);
}

} // namespace

WarningLook::WarningLook(QAbstractItemView *view)
    : QObject(view)
    , m_view(view)
{
    view->installEventFilter(this);
    follow();
}

double WarningLook::contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor WarningLook::colourOn(const QPalette &palette)
{
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const auto reads = [&](double lightness) {
        return contrast(warningRed(lightness), base) >= LeastContrast;
    };
    const double own = 0.345; // the lightness of #B02000
    if (reads(own))
        return warningRed(own);
    // On a light background the red darkens, on a dark one it lightens, only
    // as far as it must.
    const bool dark = contrast(base, Qt::black) < contrast(base, Qt::white);
    double readable = dark ? 1.0 : 0.0, unreadable = own;
    if (!reads(readable))
        return palette.color(QPalette::Active, QPalette::Text);
    for (int step = 0; step < 20; ++step) {
        const double middle = (readable + unreadable) / 2;
        if (reads(middle))
            readable = middle;
        else
            unreadable = middle;
    }
    return warningRed(readable);
}

QVariant WarningLook::data(int role, const QString &warning) const
{
    if (warning.isEmpty())
        return {};
    switch (role) {
    case Qt::ForegroundRole:
        return m_colour;
    case Qt::DecorationRole:
        return m_icon;
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return warning;
    default:
        return {};
    }
}

bool WarningLook::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
    case QEvent::StyleChange:
    case QEvent::FontChange:
        follow();
        emit changed();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void WarningLook::follow()
{
    m_colour = colourOn(m_view->palette());
    m_icon = QIcon::fromTheme(QStringLiteral("dialog-warning"),
                              m_view->style()->standardIcon(QStyle::SP_MessageBoxWarning));
    const int height = m_view->fontMetrics().height();
    m_view->setIconSize(QSize(height, height));
}
