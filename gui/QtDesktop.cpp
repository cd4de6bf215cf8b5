// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/QtDesktop.h"

#include "gui/AnswerPreviewBox.h"
#include "gui/WorkProgressBox.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPromise>
#include <QStandardPaths>
#include <QTime>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <climits>

namespace {

// The work's progress as its promise keeps it: steps reported as progress,
// a cancelled future as the request to stop.
class PromisedProgress : public WorkProgress {
public:
    explicit PromisedProgress(QPromise<void> &promise)
        : m_promise(promise)
    {}
    void report(qint64 done, qint64 total) override
    {
        // A new range is a message to the progress box each time: it goes
        // only when the total changes.
        if (total != m_total) {
            m_total = total;
            m_promise.setProgressRange(0, int(std::min<qint64>(total, INT_MAX)));
        }
        m_promise.setProgressValue(int(std::min<qint64>(done, INT_MAX)));
    }
    bool stopRequested() const override { return m_promise.isCanceled(); }

private:
    QPromise<void> &m_promise;
    qint64 m_total = -1;
};

} // namespace

void QtDesktop::showMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, Title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

QString QtDesktop::askText(const Question &question, const AnswerPreviewer &previewer)
{
    return AnswerPreviewBox::ask(QApplication::activeWindow(), question, previewer);
}

QStringList QtDesktop::askFiles(const QString &title, const QString &folder)
{
    return QFileDialog::getOpenFileNames(QApplication::activeWindow(), title, folder);
}

QByteArray QtDesktop::clipboardData(const QString &mimeType)
{
    const QMimeData *content = QGuiApplication::clipboard()->mimeData();
    return content ? content->data(mimeType) : QByteArray();
}

Outcome QtDesktop::startProgram(const QString &program, const QStringList &arguments)
{
    if (QStandardPaths::findExecutable(program).isEmpty() && !QFileInfo(program).isExecutable())
        return Outcome::failure(Outcome::Why::ProgramMissing, program);
    if (!QProcess::startDetached(program, arguments))
        return Outcome::failure(Outcome::Why::ProgramFailed, program);
    return Outcome::success();
}

QDateTime QtDesktop::now()
{
    return QDateTime::currentDateTime();
}

void QtDesktop::waitForClockTicks(int ticks)
{
    // The time of day changes at each whole second: the wait ends at the
    // ticks-th of them, the event loop running meanwhile.
    QEventLoop loop;
    QTimer::singleShot(ticks * 1000 + 1 - QTime::currentTime().msec(), &loop, &QEventLoop::quit);
    loop.exec();
}

void QtDesktop::runLongWork(const QString &what, const std::function<void(WorkProgress &)> &work)
{
    m_working = true;
    {
        QFutureWatcher<void> watcher;
        QEventLoop loop;
        QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
        watcher.setFuture(QtConcurrent::run([&work](QPromise<void> &promise) {
            PromisedProgress progress(promise);
            work(progress);
        }));
        const WorkProgressBox box(what, watcher);
        if (!watcher.isFinished())
            loop.exec();
        // The loop may end early, when the program is told to quit: the work
        // stops as if the user had asked.
        if (!watcher.isFinished()) {
            watcher.cancel();
            watcher.waitForFinished();
        }
    }
    m_working = false;
    if (m_whenIdle)
        std::exchange(m_whenIdle, {})();
}

void QtDesktop::runWhenIdle(std::function<void()> later)
{
    if (m_working)
        m_whenIdle = std::move(later);
    else
        later();
}
