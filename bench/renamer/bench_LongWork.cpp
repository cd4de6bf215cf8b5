// SPDX-License-Identifier: GPL-3.0-or-later
// The clean-up batch, MAKE CHANGES, the upper-case walk and undo over 30,000
// names through the real window: the longest stall of its event loop while
// each runs (a 10 ms timer that records its largest gap), and its time
// against the same handler with the work done on the window's own thread, as
// the program did before long work went to a worker.

#include "RenameBench.h"

#include "gui/renamer/RenamerControls.h"
#include "gui/renamer/RenamerWindow.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <list>

namespace {

constexpr int Files = 30000;
constexpr int Rounds = 3;

// The test host, with the SPECIAL BATCH box answered at once: the user typed
// the answer and pressed OK before its preview came.
class BenchHost : public TestHost {
public:
    QString askText(const Question &, const AnswerPreviewer &) override { return answers.takeFirst(); }
};

// The same, with the long work done on the calling thread.
class SameThreadHost : public BenchHost {
public:
    void runLongWork(const QString &, const std::function<void(WorkProgress &)> &work) override
    {
        struct Unstopped : WorkProgress {
            void report(qint64, qint64) override {}
            bool stopRequested() const override { return false; }
        } progress;
        work(progress);
    }
};

QStringList releaseNames()
{
    QStringList names;
    for (int i = 0; i < Files; ++i)
        names << QStringLiteral("movie.name.%1.%2.DVDRip.XviD.avi")
                     .arg(i, 5, 10, QLatin1Char('0'))
                     .arg(1950 + i % 63);
    return names;
}

struct Run {
    double seconds = 0;
    double longestStall = 0;
};

// Runs act on a window over folder, with the event loop turning and a 10 ms
// timer watching it.
Run timed(TestHost &host, const TempFolder &folder, const std::function<void(RenamerWindow &)> &act)
{
    RenamerWindow window(host, host, nullptr);
    window.show();
    window.findChild<QLineEdit *>(RenamerControls::path)->setText(folder.path());
    settle();
    Run run;
    QElapsedTimer clock, sinceTick;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        run.longestStall = std::max(run.longestStall, sinceTick.nsecsElapsed() / 1e9);
        sinceTick.restart();
    });
    QEventLoop loop;
    QTimer::singleShot(0, [&] {
        clock.start();
        act(window);
        run.seconds = clock.nsecsElapsed() / 1e9;
        loop.quit();
    });
    watch.start(10);
    sinceTick.start();
    loop.exec();
    run.longestStall = std::max(run.longestStall, sinceTick.nsecsElapsed() / 1e9);
    return run;
}

void press(RenamerWindow &window, const char *button)
{
    window.findChild<QPushButton *>(QLatin1String(button))->click();
}

// Rounds of what on fresh folders of names, each after prepare; prints the figures.
void measure(const char *what, const QStringList &names,
             const std::function<void(TestHost &, RenamerWindow &)> &prepare,
             const std::function<void(TestHost &, RenamerWindow &)> &act)
{
    QList<double> stalls, ratios, workerTimes;
    for (int round = 0; round < Rounds; ++round) {
        Run runs[2];
        for (const bool onWorker : {true, false}) {
            TempFolder folder;
            folder.make(names);
            std::unique_ptr<TestHost> host = onWorker ? std::make_unique<BenchHost>()
                                                      : std::make_unique<SameThreadHost>();
            timed(*host, folder, [&](RenamerWindow &window) { prepare(*host, window); });
            runs[onWorker] = timed(*host, folder, [&](RenamerWindow &window) { act(*host, window); });
        }
        stalls << runs[1].longestStall;
        workerTimes << runs[1].seconds;
        ratios << runs[1].seconds / runs[0].seconds;
    }
    std::printf("%s over %d names: longest stall of the event loop %.0f ms (target at most 100), "
                "time %.3f s, %.2f times the same work on the window's thread (target at most 1.1)\n",
                what, Files, 1000 * *std::max_element(stalls.cbegin(), stalls.cend()), median(workerTimes),
                median(ratios));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList names = releaseNames();
    const auto nothing = [](TestHost &, RenamerWindow &) {
    };
    const auto makeChanges = [](TestHost &, RenamerWindow &window) {
        window.findChild<QLineEdit *>(RenamerControls::changeThis)->setText(QStringLiteral("."));
        window.findChild<QLineEdit *>(RenamerControls::renameTo)->setText(QStringLiteral("."));
        press(window, RenamerControls::makeChanges);
    };
    measure("The clean-up batch", names, nothing, [](TestHost &host, RenamerWindow &window) {
        host.answers = {QStringLiteral("YES")};
        press(window, RenamerControls::specialBatch);
    });
    measure("MAKE CHANGES", names, nothing, makeChanges);
    measure("The upper-case walk", names, nothing, [](TestHost &host, RenamerWindow &window) {
        host.answers = {QStringLiteral("FILES")};
        press(window, RenamerControls::specialBatch);
    });
    measure("Undo", names, makeChanges, [](TestHost &, RenamerWindow &window) { window.undoLastChange(); });
    return 0;
}
