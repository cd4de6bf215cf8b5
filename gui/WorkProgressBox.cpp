#include "gui/WorkProgressBox.h"

#include <QApplication>
#include <QEvent>
#include <QProgressDialog>

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

WorkProgressBox::WorkProgressBox(const QString &what, SharedProgress &progress)
    : m_progress(progress),
      m_box(new QProgressDialog(what, QStringLiteral("Stop"), 0, 0, QApplication::activeWindow()))
{
    m_box->setObjectName(QStringLiteral("WorkProgress"));
    m_box->setWindowModality(Qt::WindowModal);
    m_box->setAutoReset(false);
    m_box->setAutoClose(false);
    // Shown by update(), never by the box's own guess at how long it takes.
    m_box->setMinimumDuration(24 * 60 * 60 * 1000);
    connect(m_box, &QProgressDialog::canceled, this, [this] {
        m_progress.stop();
        m_box->setLabelText(QStringLiteral("Stopping after the rename under way…"));
        m_box->setCancelButton(nullptr);
    });
    qApp->installEventFilter(this);
    m_running.start();
}

WorkProgressBox::~WorkProgressBox()
{
    qApp->removeEventFilter(this);
    delete m_box;
}

void WorkProgressBox::update()
{
    if (!m_box)
        return;
    if (m_progress.total() > 0) {
        m_box->setMaximum(int(std::min<qint64>(m_progress.total(), INT_MAX)));
        m_box->setValue(int(std::min<qint64>(m_progress.done(), INT_MAX)));
    }
    if (!m_box->isVisible() && m_running.elapsed() >= 500)
        m_box->show();
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
