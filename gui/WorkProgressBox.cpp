// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/WorkProgressBox.h"

#include <QApplication>
#include <QEvent>
#include <QProgressDialog>
#include <QTimer>

namespace {

// The events by which a user acts on a window.
bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

WorkProgressBox::WorkProgressBox(const QString &what, QFutureWatcher<void> &watcher)
    : m_watcher(watcher)
    , m_what(what)
    , m_window(QApplication::activeWindow())
{
    // Nothing of the box is made for work that ends within half a second.
    QTimer::singleShot(500, this, &WorkProgressBox::showBox);
    qApp->installEventFilter(this);
}

void WorkProgressBox::showBox()
{
    m_box = new QProgressDialog(m_what, tr("Stop"), m_watcher.progressMinimum(), m_watcher.progressMaximum(),
                                m_window);
    m_box->setObjectName(QStringLiteral("WorkProgress"));
    m_box->setWindowModality(Qt::WindowModal);
    m_box->setAutoReset(false);
    m_box->setAutoClose(false);
    m_box->setValue(m_watcher.progressValue());
    connect(&m_watcher, &QFutureWatcherBase::progressRangeChanged, m_box, &QProgressDialog::setRange);
    connect(&m_watcher, &QFutureWatcherBase::progressValueChanged, m_box, &QProgressDialog::setValue);
    connect(m_box, &QProgressDialog::canceled, this, &WorkProgressBox::stop);
    if (m_watcher.isCanceled())
        showStopping();
    m_box->show();
}

WorkProgressBox::~WorkProgressBox()
{
    qApp->removeEventFilter(this);
    delete m_box;
    for (const QPointer<QWidget> &window : std::as_const(m_closed))
        if (window)
            QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
}

void WorkProgressBox::stop()
{
    m_watcher.cancel();
    if (m_box)
        showStopping();
}

void WorkProgressBox::showStopping()
{
    m_box->setLabelText(tr("Stopping after the rename under way…"));
    m_box->setCancelButton(nullptr);
}

bool WorkProgressBox::eventFilter(QObject *watched, QEvent *event)
{
    const bool closesWindow = event->type() == QEvent::Close && watched->isWidgetType()
                              && static_cast<QWidget *>(watched)->isWindow();
    if (!isInput(event->type()) && !closesWindow)
        return false;
    // The box itself takes the click on Stop, Escape and its own close.
    for (QObject *object = watched; object; object = object->parent())
        if (object == m_box)
            return false;
    if (closesWindow) {
        event->ignore();
        auto *window = static_cast<QWidget *>(watched);
        if (!m_closed.contains(window))
            m_closed << window;
        stop();
    }
    return true;
}
