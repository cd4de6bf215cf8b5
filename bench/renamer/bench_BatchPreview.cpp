// SPDX-License-Identifier: GPL-3.0-or-later
// The preview in SPECIAL BATCH's box over 5,000 release-style names in one
// folder: the time from the answer (YES, TITLES, then LIBRARY) typed into the real box
// to its rows shown there. First the folder is read and the job planned; the
// second time, after another answer, the folder is read again and found as
// it was, so the plan made before is shown.

#include "RealBoxHost.h"
#include "RenameBench.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <cstdio>

namespace {

constexpr int Names = 5000;

// Seconds from the last key of the answer to the box showing its rows, painted.
double secondsToRows(QLineEdit *answer, QTreeView *view, const QString &word)
{
    answer->selectAll();
    QTest::keyClicks(answer, word.chopped(1));
    QElapsedTimer timer;
    timer.start();
    QTest::keyClicks(answer, word.right(1));
    while (!view->isEnabled() || view->model()->rowCount() == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    view->viewport()->repaint();
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TempFolder folder;
    folder.make(releaseNames(Names));

    RealBoxHost host;
    const QStringList answers{"YES", "TITLES", "LIBRARY"};
    double first[3] = {}, again[3] = {};
    QString summary[3];
    host.user = [&](QDialog &box) {
        auto *answer = box.findChild<QLineEdit *>();
        auto *view = box.findChild<QTreeView *>(AnswerPreviewControls::preview);
        for (int i = 0; i < 3; ++i) {
            first[i] = secondsToRows(answer, view, answers[i]);
            summary[i] = box.findChild<QLabel *>(AnswerPreviewControls::summary)->text();
            answer->selectAll();
            QTest::keyClicks(answer, "NO");
            again[i] = secondsToRows(answer, view, answers[i]);
        }
    };
    RenamerWindow window(host, host, nullptr);
    window.show();
    window.findChild<QLineEdit *>(RenamerControls::path)->setText(folder.path());
    settle();
    window.findChild<QPushButton *>(RenamerControls::specialBatch)->click();

    for (int i = 0; i < 3; ++i) {
        std::printf("preview of %s over %d names: %s\n", qPrintable(answers[i]), Names,
                    qPrintable(summary[i]));
        std::printf("  from the typed answer to the rows shown: %.3f s (target at most 0.5 s)\n", first[i]);
        std::printf("  again, the folder unchanged: %.3f s\n", again[i]);
    }
    return 0;
}
