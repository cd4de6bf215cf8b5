// SPDX-License-Identifier: GPL-3.0-or-later
// Times the folderer on real files: a drop of many files onto its file list
// (listed and planned), and M&akeFolders against a bare loop of the same
// mkdir and rename system calls, measured in the same run.

#include "Settle.h"
#include "TempFolder.h"
#include "TestHost.h"

#include "gui/controls/ListBox.h"
#include "gui/folderer/FoldererControls.h"
#include "gui/folderer/FoldererWindow.h"
#include "core/folderer/FolderNames.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <list>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int Rounds = 5;

QStringList videoNames(int count)
{
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("Film %1.avi").arg(i, 5, 10, QLatin1Char('0'));
    return names;
}

// Seconds that a drop of the first count files of folder takes, from the drop
// event to the window painted with both lists filled; the best of Rounds.
double dropSeconds(const TempFolder &folder, const QStringList &names, int count)
{
    QList<QUrl> urls;
    for (const QString &name : names.mid(0, count))
        urls << QUrl::fromLocalFile(folder / name);
    // The file manager delivers its own order, not ours.
    std::shuffle(urls.begin(), urls.end(), QRandomGenerator(7));
    QMimeData data;
    data.setUrls(urls);

    double best = 1e9;
    for (int round = 0; round < Rounds; ++round) {
        TestHost host;
        FoldererWindow window(host, host, nullptr);
        window.show();
        QApplication::processEvents();
        auto *list1 = window.findChild<ListBox *>(FoldererControls::files);
        const QPoint at = list1->viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list1->viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QElapsedTimer timer;
        timer.start();
        QApplication::sendEvent(list1->viewport(), &drop);
        QApplication::processEvents();
        best = std::min(best, timer.nsecsElapsed() / 1e9);
        if (list1->count() != count || !host.messages.isEmpty())
            qFatal("the drop lost files");
    }
    return best;
}

// The window's M&akeFolders over the files of folder named names.
double makeFoldersSeconds(const TempFolder &folder, const QStringList &names)
{
    TestHost host;
    FoldererWindow window(host, host, nullptr);
    QList<QUrl> urls;
    for (const QString &name : names)
        urls << QUrl::fromLocalFile(folder / name);
    window.addFiles(urls);

    // Files still unwritten from making the folder are no part of either timing.
    settle();
    QElapsedTimer timer;
    timer.start();
    window.findChild<QPushButton *>(FoldererControls::makeFolders)->click();
    return timer.nsecsElapsed() / 1e9;
}

// The same two passes over the files of folder named names, as bare system
// calls: mkdir and a rename that never replaces, then every rename once more.
double bareLoopSeconds(const TempFolder &folder, const QStringList &names)
{
    QList<QByteArray> files, folders, targets;
    for (const QString &name : names) {
        const QString file = folder / name;
        files << QFile::encodeName(file);
        folders << QFile::encodeName(withoutExtension(file));
        targets << QFile::encodeName(targetPath(file));
    }

    settle();
    QElapsedTimer timer;
    timer.start();
    for (qsizetype i = 0; i < files.size(); ++i) {
        ::mkdir(folders.at(i).constData(), 0777);
        ::renameat2(AT_FDCWD, files.at(i).constData(), AT_FDCWD, targets.at(i).constData(), RENAME_NOREPLACE);
    }
    for (qsizetype i = 0; i < files.size(); ++i)
        ::renameat2(AT_FDCWD, files.at(i).constData(), AT_FDCWD, targets.at(i).constData(), RENAME_NOREPLACE);
    return timer.nsecsElapsed() / 1e9;
}

// Whether every file ended in its own folder, holding what it held.
bool everyFileFoldered(const TempFolder &folder, const QStringList &names)
{
    for (const QString &name : names)
        if (folder.contents(name.chopped(4) + u'/' + name) != name)
            return false;
    return folder.names().size() == names.size();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

    const int fewRows = 4096;
    const int allRows = ListBox::MaxRows;
    TempFolder dropped;
    const QStringList names = videoNames(allRows);
    dropped.make(names);
    const double few = dropSeconds(dropped, names, fewRows);
    const double all = dropSeconds(dropped, names, allRows);
    std::printf("Drop onto the folderer's file list, listed and planned (best of %d):\n", Rounds);
    std::printf("  %5d files: %.3f s\n  %5d files: %.3f s (target under 1 s)\n", fewRows, few, allRows, all);
    std::printf("  ratio %d / %d rows: %.2f (target at most 12)\n", allRows, fewRows, all / few);

    // Every folder is made before any is timed and removed only at the end:
    // a file system that has just deleted many entries allocates new ones
    // slowly for a while, which would blur the comparison.
    const QStringList videos = videoNames(10000);
    std::list<TempFolder> forWindow(Rounds), forBare(Rounds);
    for (const std::list<TempFolder> *folders : {&forWindow, &forBare})
        for (const TempFolder &folder : *folders)
            folder.make(videos);
    QList<double> windowTimes, bareTimes, ratios;
    auto windowFolder = forWindow.begin();
    auto bareFolder = forBare.begin();
    for (int round = 0; round < Rounds; ++round, ++windowFolder, ++bareFolder) {
        // The order alternates, so that neither always goes first.
        if (round % 2 == 0) {
            windowTimes << makeFoldersSeconds(*windowFolder, videos);
            bareTimes << bareLoopSeconds(*bareFolder, videos);
        } else {
            bareTimes << bareLoopSeconds(*bareFolder, videos);
            windowTimes << makeFoldersSeconds(*windowFolder, videos);
        }
        ratios << windowTimes.last() / bareTimes.last();
        if (!everyFileFoldered(*windowFolder, videos) || !everyFileFoldered(*bareFolder, videos))
            qFatal("a file was not moved into its folder");
    }
    std::sort(windowTimes.begin(), windowTimes.end());
    std::sort(bareTimes.begin(), bareTimes.end());
    std::sort(ratios.begin(), ratios.end());
    std::printf("M&akeFolders over %d files (%d rounds):\n", int(videos.size()), Rounds);
    std::printf("  window best %.3f s, bare mkdir and rename loop best %.3f s, ratio %.2f\n",
                windowTimes.first(), bareTimes.first(), windowTimes.first() / bareTimes.first());
    std::printf("  median of the rounds' ratios %.2f (target at most 1.5)\n", ratios.at(Rounds / 2));
    return 0;
}
