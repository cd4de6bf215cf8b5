// SPDX-License-Identifier: GPL-3.0-or-later
// The clean-up batch of SPECIAL BATCH over 5,000 release-style names in one
// folder, through the real window: the renames it asks of the host, its time
// against a bare replay of those renames, and against the step-by-step
// engine that the renamer first had, on equal copies of the folder.

#include "RenameBench.h"
#include "ReferenceEngine.h"

#include "core/base/FolderRows.h"
#include "gui/renamer/RenamerControls.h"
#include "gui/renamer/RenamerWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <list>

namespace {

constexpr int Names = 5000;
constexpr int Rounds = 3;

// The batch through the window on folder; the host records its renames.
double batchSeconds(RecordingHost &host, const TempFolder &folder)
{
    host.answers = {QStringLiteral("YES")};
    const double seconds = windowSeconds(host, folder, [](RenamerWindow &window) {
        window.findChild<QPushButton *>(RenamerControls::specialBatch)->click();
    });
    if (host.messages != QStringList{"Special Batch Completed!"})
        qFatal("the batch did not complete");
    return seconds;
}

double referenceSeconds(const TempFolder &folder)
{
    TestHost host;
    const Wildcard all(QStringLiteral("*.*"));
    const QStringList entries = folderRows(host.listFolder(folder.path()), all, EntryKinds::Files);
    settle();
    QElapsedTimer timer;
    timer.start();
    referenceCleanUpBatch(host, folder.path(), entries, all);
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList names = releaseNames(Names);
    // Every folder is made before any is timed.
    std::list<TempFolder> batchFolders(Rounds), replayFolders(Rounds), referenceFolders(Rounds);
    for (const std::list<TempFolder> *folders : {&batchFolders, &replayFolders, &referenceFolders})
        for (const TempFolder &folder : *folders)
            folder.make(names);

    QList<double> batchTimes, replayTimes, referenceTimes, replayRatios, speedUps;
    double renamesPerFile = 0;
    auto batchFolder = batchFolders.begin();
    auto replayFolder = replayFolders.begin();
    auto referenceFolder = referenceFolders.begin();
    for (int round = 0; round < Rounds; ++round, ++batchFolder, ++replayFolder, ++referenceFolder) {
        RecordingHost host;
        batchTimes << batchSeconds(host, *batchFolder);
        replayTimes << replaySeconds(host.renames, *batchFolder, *replayFolder);
        referenceTimes << referenceSeconds(*referenceFolder);
        if (batchFolder->state() != replayFolder->state() || batchFolder->state() != referenceFolder->state()
            || batchFolder->names().size() != Names)
            qFatal("the batch, its replay and the step-by-step engine did not end alike");
        replayRatios << batchTimes.last() / replayTimes.last();
        speedUps << referenceTimes.last() / batchTimes.last();
        renamesPerFile = double(host.renames.size()) / renamedFiles(*batchFolder);
        if (round == 0)
            std::printf("clean-up batch over %d names: %d files renamed, %lld renames asked\n", Names,
                        renamedFiles(*batchFolder), static_cast<long long>(host.renames.size()));
    }
    std::printf("  renames per renamed file: %.3f (target at most 1.02)\n", renamesPerFile);
    std::printf("  batch median %.3f s; bare replay of its renames median %.3f s; "
                "median ratio %.2f (target at most 3)\n",
                median(batchTimes), median(replayTimes), median(replayRatios));
    std::printf("  step-by-step engine median %.3f s; median speed-up %.1f (target at least 8)\n",
                median(referenceTimes), median(speedUps));
    return 0;
}
