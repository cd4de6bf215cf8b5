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
    : m_box(new QProgressDialog(what, tr("Stop"), 0, 0, QApplication::activeWindow()))
{
    m_box->setObjectName(QStringLiteral("WorkProgress"));
    m_box->setWindowModality(Qt::WindowModal);
    m_box->setAutoReset(false);
    m_box->setAutoClose(false);
    // Shown after half a second, never by the box's own guess at how long it takes.
    m_box->setMinimumDuration(24 * 60 * 60 * 1000);
    QTimer::singleShot(500, m_box, &QWidget::show);
    connect(&watcher, &QFutureWatcherBase::progressRangeChanged, m_box, &QProgressDialog::setRange);
    connect(&watcher, &QFutureWatcherBase::progressValueChanged, m_box, &QProgressDialog::setValue);
    connect(m_box, &QProgressDialog::canceled, this, [this, &watcher] {
        watcher.cancel();
        m_box->setLabelText(tr("Stopping after the rename under way…"));
        m_box->setCancelButton(nullptr);
    });
    qApp->installEventFilter(this);
}

WorkProgressBox::~WorkProgressBox()
{
    qApp->removeEventFilter(this);
    delete m_box;
}

bool WorkProgressBox::eventFilter(QObject *watched, QEvent *event)
{
    if (!isInput(event->type()))
        return false;
    // The box itself takes the click on Stop and Escape.
    for (QObject *object = watched; object; object = object->parent())
        if (object == m_box)
            return false;
    return true;
}
