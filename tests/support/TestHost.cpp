// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHost.h"

#include <QTest>

void TestHost::showMessage(const QString &text)
{
    messages << text;
}

QString TestHost::askText(const Question &question, const AnswerPreviewer &previewer)
{
    questions.append(question);
    const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
    // The preview comes through the event loop, as it does to the box,
    // which waits for it.
    const QFuture<AnswerPreview> preview = previewer(answer);
    if (!QTest::qWaitFor([&] { return preview.isFinished(); }, 60000))
        qWarning("the answer's preview did not finish in a minute");
    return answer;
}

QStringList TestHost::askFiles(const QString &, const QString &)
{
    return pickedFiles;
}

QByteArray TestHost::clipboardData(const QString &mimeType)
{
    return clipboard.value(mimeType);
}

Outcome TestHost::startProgram(const QString &program, const QStringList &arguments)
{
    if (programsFail)
        return Outcome::failure(Outcome::Why::ProgramMissing, program);
    started.append({program, arguments});
    return Outcome::success();
}

QString TestHost::nextClockReading()
{
    const int at = std::min<int>(clockReads, int(clockReadings.size()) - 1);
    ++clockReads;
    return clockReadings.at(at);
}

QDateTime TestHost::now()
{
    return QDateTime(QDate::currentDate(), QTime::fromString(nextClockReading(), QStringLiteral("hh:mm:ss")));
}

void TestHost::waitForClockTicks(int ticks)
{
    for (int tick = 0; tick < ticks; ++tick) {
        const QString time = nextClockReading();
        while (nextClockReading() == time)
            ++yields;
    }
}

void TestHost::runLongWork(const QString &what, const std::function<void(WorkProgress &)> &work)
{
    longWork << what;
    // A stop as the script asks for it, from the worker like the button's.
    class Scripted : public WorkProgress {
    public:
        Scripted(WorkProgress &progress, const std::function<bool(qint64, qint64)> &stopWhen)
            : m_progress(progress)
            , m_stopWhen(stopWhen)
        {}
        void report(qint64 done, qint64 total) override
        {
            m_done = done;
            m_total = total;
            m_progress.report(done, total);
        }
        bool stopRequested() const override
        {
            return m_progress.stopRequested() || (m_stopWhen && m_stopWhen(m_done, m_total));
        }

    private:
        WorkProgress &m_progress;
        const std::function<bool(qint64, qint64)> &m_stopWhen;
        qint64 m_done = 0, m_total = 0;
    };
    QtDesktop::runLongWork(what, [&](WorkProgress &progress) {
        Scripted scripted(progress, stopWhen);
        work(scripted);
    });
}
