#pragma once

#include "core/host/LongWork.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QProgressDialog;

// What the user sees of long work: nothing for the first half second, then a
// window-modal box over the active window with a progress bar and one button,
// Stop (Escape too), that asks the work to stop. From start to end no input
// reaches the program's windows but that box: the user cannot act on a
// window while its change runs, and the windows still repaint.
class WorkProgressBox : public QObject {
    Q_OBJECT
public:
    WorkProgressBox(const QString &what, SharedProgress &progress);
    ~WorkProgressBox() override;

    // Brings the box up to date with the work; shows it once the work has
    // run for half a second.
    void update();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SharedProgress &m_progress;
    QPointer<QProgressDialog> m_box;
    QElapsedTimer m_running;
};
