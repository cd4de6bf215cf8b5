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
    : m_watcher(watcher), m_box(new QProgressDialog(what, tr("Stop"), 0, 0, QApplication::activeWindow()))
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
    connect(m_box, &QProgressDialog::canceled, this, &WorkProgressBox::stop);
    qApp->installEventFilter(this);
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
