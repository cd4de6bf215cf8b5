// SPDX-License-Identifier: GPL-3.0-or-later
#include "Differential.h"

#include "ClashingFolders.h"
#include "PlannedCore.h"
#include "ReferenceEngine.h"
#include "TempFolder.h"
#include "TestFileSystem.h"
#include "Told.h"

#include "core/changes/Recovery.h"
#include "core/changes/Undo.h"
#include "core/base/FolderRows.h"
#include "core/base/RowOrder.h"

#include <QTest>
#include <functional>
#include <memory>

namespace {

std::unique_ptr<TempFolder> folderFrom(const ClashingFolder &sample, const QString &parent)
{
    auto folder = parent.isEmpty() ? std::make_unique<TempFolder>()
                                   : std::make_unique<TempFolder>(TempFolder::Inside{parent});
    folder->make(sample.files);
    for (const QString &name : sample.folders)
        folder->make({name + u'/'});
    return folder;
}

QStringList fileList(FileSystem &host, const TempFolder &folder, const ClashingFolder &sample)
{
    return folderRows(host.listFolder(folder.path()), Wildcard(sample.filter), EntryKinds::Files)
               .mid(0, MaxListRows)
           + sample.missing;
}

// Runs both on equal folders; `run` gets the host, the folder, its file list
// and whether it is the reference, and returns what the window would show.
QString compare(const ClashingFolder &sample, const QString &parent, const QString &what,
                const std::function<QStringList(FileSystem &, const TempFolder &, bool)> &run)
{
    const auto reference = folderFrom(sample, parent);
    const auto planned = folderFrom(sample, parent);
    TestFileSystem host;
    const QStringList before = planned->state();
    const QStringList referenceShows = run(host, *reference, true);
    const QStringList plannedShows = run(host, *planned, false);
    const QString where = QStringLiteral("%1 over %2 (filter %3)")
                              .arg(what, sample.files.join(u'|'), sample.filter);
    if (reference->state() != planned->state() || referenceShows != plannedShows)
        return QStringLiteral("%1\n reference: %2 / %3\n planned:   %4 / %5")
            .arg(where, reference->state().join(u'|'), referenceShows.join(u'|'), planned->state().join(u'|'),
                 plannedShows.join(u'|'));
    // The planned changes were recorded whole: nothing is left to mend, and
    // undoing them one by one, newest first, gives the folder back.
    if (const QString mended = recovered(host); !mended.isEmpty())
        return QStringLiteral("%1\n left to mend: %2").arg(where, mended);
    while (undoLatest(host, ChangeRecord::Tool::Renamer).result == UndoLatestReport::Result::Undone) {
    }
    if (planned->state() != before)
        return QStringLiteral("%1\n before: %2\n undone: %3")
            .arg(where, before.join(u'|'), planned->state().join(u'|'));
    return {};
}

} // namespace

QString compareCleanUpBatch(unsigned seed, const QString &parent, bool caseBlind)
{
    std::mt19937 random(seed);
    const ClashingFolder sample = clashingFolder(random, caseBlind);
    return compare(sample, parent, QStringLiteral("the batch"),
                   [&](FileSystem &host, const TempFolder &folder, bool reference) {
                       const QStringList entries = fileList(host, folder, sample);
                       return reference ? referenceCleanUpBatch(host, folder.path(), entries,
                                                                Wildcard(sample.filter))
                                        : plannedCleanUpBatch(host, folder.path(), entries, sample.filter);
                   });
}

QString compareMakeChanges(unsigned seed, const QString &parent, bool caseBlind)
{
    std::mt19937 random(seed);
    const ClashingFolder sample = clashingFolder(random, caseBlind);
    QList<std::pair<QString, QString>> presses;
    for (int press = 1 + int(random() % 3); press > 0; --press)
        presses.append({shortFromText(random), shortToText(random)});
    QString what = QStringLiteral("MAKE CHANGES");
    for (const auto &[from, to] : presses)
        what += QStringLiteral(" [%1->%2]").arg(from, to);

    return compare(sample, parent, what, [&](FileSystem &host, const TempFolder &folder, bool reference) {
        for (const auto &[from, to] : presses) {
            const QStringList entries = fileList(host, folder, sample);
            if (reference)
                referenceMakeChanges(host, folder.path(), entries, from, to);
            else
                plannedMakeChanges(host, folder.path(), entries, from, to);
        }
        return QStringList();
    });
}

QString compareUpperCaseWalk(unsigned seed, const QString &parent, bool caseBlind)
{
    std::mt19937 random(seed);
    const ClashingFolder sample = clashingFolder(random, caseBlind);
    const WalkMode mode = random() % 2 ? WalkMode::Folders : WalkMode::Files;
    return compare(sample, parent, QStringLiteral("the walk"),
                   [&](FileSystem &host, const TempFolder &folder, bool reference) {
                       if (reference)
                           referenceUpperCaseWalk(host, folder.path(), mode);
                       else
                           plannedUpperCaseWalk(host, folder.path(), mode);
                       return QStringList();
                   });
}

namespace {
using Comparison = QString (*)(unsigned, const QString &, bool);
}

void addComparisonRows(int batchFolders, int makeChangesFolders, int walkFolders)
{
    QTest::addColumn<void *>("compare");
    QTest::addColumn<int>("folders");
    QTest::newRow("clean-up batch") << reinterpret_cast<void *>(&compareCleanUpBatch) << batchFolders;
    QTest::newRow("MAKE CHANGES") << reinterpret_cast<void *>(&compareMakeChanges) << makeChangesFolders;
    QTest::newRow("upper-case walk") << reinterpret_cast<void *>(&compareUpperCaseWalk) << walkFolders;
}

void compareSeeds(const QString &parent, bool caseBlind)
{
    QFETCH(void *, compare);
    QFETCH(int, folders);
    for (int seed = 1; seed <= folders; ++seed) {
        const QString difference = reinterpret_cast<Comparison>(compare)(seed, parent, caseBlind);
        QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("seed %1: %2").arg(seed).arg(difference)));
    }
}
