// SPDX-License-Identifier: GPL-3.0-or-later
// LIBRARY planned over a folder of 30,000 names in memory, as the renamer
// plans it before anything moves: 22,500 release-style video names, a third
// of them with a subtitle beside them (target: at most 0.5 s).

#include "RenameBench.h"

#include "core/base/RowOrder.h"
#include "core/renamer/BatchJob.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

constexpr int Videos = 22500;
constexpr int LatestYear = 2027;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    FolderContents folder;
    folder.readable = true;
    QStringList rows;
    int videos = 0;
    for (const QString &name : releaseNames(Videos * 2)) {
        if (videos == Videos)
            break;
        if (name.endsWith(u".srt", Qt::CaseInsensitive))
            continue;
        rows << name;
        if (++videos % 3 == 0)
            rows << name.first(name.lastIndexOf(u'.')) + QStringLiteral(".en.srt");
    }
    for (const QString &name : std::as_const(rows))
        folder.entries.append({name});
    sortInRowOrder(rows);
    const FolderReader nothingBelow = [](const QString &) {
        return FolderContents();
    };

    QList<double> seconds;
    BatchPlan plan;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer timer;
        timer.start();
        plan = planBatch(BatchJob::Library, QStringLiteral("/videos"), folder,
                         {rows, Wildcard(QStringLiteral("*.*")), LatestYear, nothingBelow}, true);
        seconds << timer.nsecsElapsed() / 1e9;
    }
    const AnswerPreview::Releases &moved = *plan.preview.releases;
    std::printf("LIBRARY planned over %lld names: %.3f s (median of 5; target at most 0.5 s)\n",
                qlonglong(rows.size()), median(seconds));
    std::printf("  %lld films, %lld episodes, %lld sidecars move, %lld folders to make, %lld "
                "version labels, %lld names kept\n",
                qlonglong(moved.films), qlonglong(moved.episodes), qlonglong(moved.sidecars),
                qlonglong(moved.folders), qlonglong(moved.labelled), qlonglong(plan.preview.kept));
    return 0;
}
