// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"
#include "TestFileSystem.h"

#include "core/base/FolderRows.h"
#include "core/renamer/BatchJob.h"

#include <QTest>

// Each answer of SPECIAL BATCH planned on one folder: the job it chooses,
// the rows and counts that the box shows, and the renames that then run.
class tst_BatchPlan : public QObject {
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<BatchJob>("job");
        // Each row "before -> after", with " !" where the name is not the one the rule gives.
        QTest::addColumn<QStringList>("rows");
        // total, changes, counted, kept, untold; for TITLES and LIBRARY also
        // films, episodes, sidecars, folders made, labelled.
        QTest::addColumn<QList<qsizetype>>("counts");

        const QStringList cleanUp{"a.film.2004.avi -> A FILM (2004).AVI.1 !", "x.avi -> X.AVI"};
        QTest::newRow("YES") << "yes" << BatchJob::CleanUp << cleanUp << QList<qsizetype>{4, 2, 1, 0, 0};
        QTest::newRow("YES among blanks")
            << " Yes " << BatchJob::CleanUp << cleanUp << QList<qsizetype>{4, 2, 1, 0, 0};
        QTest::newRow("TITLES") << "titles" << BatchJob::Titles
                                << QStringList{"a.film.2004.avi -> A FILM (2004) - 2.AVI !",
                                               "nodots -> nodots !", "x.avi -> x.avi !"}
                                << QList<qsizetype>{4, 1, 0, 2, 2, 1, 0, 0, 0, 1};
        QTest::newRow("LIBRARY")
            << "LIBRARY" << BatchJob::Library
            << QStringList{"A FILM (2004).AVI -> MOVIES/A FILM (2004)/A FILM (2004).AVI",
                           "a.film.2004.avi -> MOVIES/A FILM (2004)/A FILM (2004) - 2.AVI !",
                           "nodots -> nodots !", "x.avi -> x.avi !"}
            << QList<qsizetype>{4, 2, 0, 2, 2, 2, 0, 0, 2, 1};
        QTest::newRow("FOLDERS") << "Folders" << BatchJob::Folders << QStringList{"Season 1 -> SEASON 1"}
                                 << QList<qsizetype>{1, 1, 0, 0, 0};
        QTest::newRow("FILES") << " files " << BatchJob::Files
                               << QStringList{"a.film.2004.avi -> A.FILM.2004.AVI", "nodots -> NODOTS",
                                              "x.avi -> X.AVI"}
                               << QList<qsizetype>{4, 3, 0, 0, 0};
        for (const char *cancels : {"no", "", "Y", "YES!", "YES\t"})
            QTest::addRow("cancel: \"%s\"", cancels)
                << cancels << BatchJob::Cancel << QStringList() << QList<qsizetype>{0, 0, 0, 0, 0};
    }
    void answers()
    {
        QFETCH(QString, answer);
        QFETCH(BatchJob, job);
        QFETCH(QStringList, rows);
        QFETCH(QList<qsizetype>, counts);
        QCOMPARE(batchJobFor(answer), job);

        TempFolder folder{"a.film.2004.avi", "A FILM (2004).AVI", "x.avi", "nodots", "Season 1/"};
        TestFileSystem host;
        const QString path = folder.path();
        const BatchScope scope{
            folderRows(host.listFolder(path), Wildcard(QStringLiteral("*.*")), EntryKinds::Files),
            Wildcard(QStringLiteral("*.*")), 2026, [&host](const QString &below) {
                return host.readFolder(below);
            }};
        const BatchPlan shown = planBatch(job, path, host.readFolder(path), scope, true);

        QStringList seen;
        for (const AnswerPreview::Row &row : shown.preview.rows)
            seen << row.before + " -> " + row.after + (row.outcome.what == EntryOutcome::Renamed ? "" : " !");
        QCOMPARE(seen, rows);
        const AnswerPreview &preview = shown.preview;
        QList<qsizetype> told{preview.total, preview.changes, preview.counted, preview.kept, preview.untold};
        if (preview.releases)
            told << preview.releases->films << preview.releases->episodes << preview.releases->sidecars
                 << preview.releases->folders << preview.releases->labelled;
        QCOMPARE(told, counts);
        QCOMPARE(preview.cancels, job == BatchJob::Cancel);
        QCOMPARE(shown.madeFolders.size(), job == BatchJob::Library ? 2 : 0);

        // The plan made only to run renames what the box showed, each
        // changed name once.
        const auto renames = [](const BatchPlan &plan) {
            QStringList moves;
            for (const Rename &rename : plan.renames.renames)
                moves << rename.from + " -> " + rename.to;
            return moves;
        };
        const BatchPlan run = planBatch(job, path, host.readFolder(path), scope, false);
        QCOMPARE(renames(run).size(), preview.changes);
        QCOMPARE(renames(run), renames(shown));
        QCOMPARE(folder.names(),
                 (QStringList{"A FILM (2004).AVI", "Season 1", "a.film.2004.avi", "nodots", "x.avi"}));
    }
};

QTEST_GUILESS_MAIN(tst_BatchPlan)
#include "tst_BatchPlan.moc"
