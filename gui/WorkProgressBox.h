// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>

class QProgressDialog;

// What the user sees of long work: nothing for the first half second, then a
// window-modal box over the active window with a progress bar and one button,
// Stop (Escape too), that asks the work to stop. From start to end no input
// reaches the program's windows but that box: the user cannot act on a
// window while its change runs, and the windows still repaint. A window
// closed meanwhile asks the work to stop, as Stop does, and closes once the
// box is gone.
class WorkProgressBox : public QObject {
    Q_OBJECT
public:
    // The box of the work that watcher watches: its progress as the work
    // reports it, and Stop cancels the work's future.
    WorkProgressBox(const QString &what, QFutureWatcher<void> &watcher);
    ~WorkProgressBox() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showBox();
    void stop();
    void showStopping();

    QFutureWatcher<void> &m_watcher;
    const QString m_what;
    QPointer<QWidget> m_window;
    QPointer<QProgressDialog> m_box;
    QList<QPointer<QWidget>> m_closed;
};
