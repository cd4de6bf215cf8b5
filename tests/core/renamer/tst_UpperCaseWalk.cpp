// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlannedCore.h"

#include "TempFolder.h"
#include "TestFileSystem.h"

#include <QTest>

class tst_UpperCaseWalk : public QObject {
    Q_OBJECT
private slots:
    void walk_data();
    void walk();
    void failedRenameKeepsNameAndWalkGoesOn();
    void folderEndingInSeparatorGivesDoubledSeparator();
};

void tst_UpperCaseWalk::walk_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("folders");
    QTest::addColumn<QStringList>("expected");

    const QStringList mixed{"Season 1/",          "DONE/",    "a.avi",   "Movie.Avi",
                            "Season 1/inner.avi", ".hidden/", ".config", "Season 1/sub/"};
    QTest::newRow("folders only") << mixed << true << QStringList{".config",   ".hidden",  "DONE",
                                                                  "Movie.Avi", "SEASON 1", "a.avi"};
    QTest::newRow("files only") << mixed << false << QStringList{".config", ".hidden",   "A.AVI",
                                                                 "DONE",    "MOVIE.AVI", "Season 1"};
    QTest::newRow("upper-case twin keeps both")
        << QStringList{"a.avi", "A.AVI", "b.avi"} << false << QStringList{"A.AVI", "B.AVI", "a.avi"};
    QTest::newRow("non-ASCII lower case") << QStringList{"café.avi", "über/", "ñandú.mkv"} << false
                                          << QStringList{"CAFÉ.AVI", "ÑANDÚ.MKV", "über"};
    QTest::newRow("non-ASCII folder")
        << QStringList{"café.avi", "über/"} << true << QStringList{"café.avi", "ÜBER"};
    QTest::newRow("empty folder") << QStringList{} << false << QStringList{};
}

void tst_UpperCaseWalk::walk()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, folders);
    QFETCH(QStringList, expected);

    TempFolder folder;
    folder.make(entries);
    TestFileSystem host;
    plannedUpperCaseWalk(host, folder.path(), folders ? WalkMode::Folders : WalkMode::Files);

    QStringList names = folder.names();
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    QCOMPARE(names, expected);
    // Every file keeps its own content (a name that was there before holds
    // the same file), and nothing inside a subfolder moves.
    for (const QString &name : names) {
        if (QFileInfo(folder / name).isDir())
            continue;
        if (entries.contains(name))
            QCOMPARE(folder.contents(name), name);
        else
            QCOMPARE(folder.contents(name).toUpper(), name);
    }
    if (entries.contains("Season 1/inner.avi")) {
        const QString sub = folders ? "SEASON 1" : "Season 1";
        QCOMPARE(folder.names(sub), (QStringList{"inner.avi", "sub"}));
    }
}

void tst_UpperCaseWalk::failedRenameKeepsNameAndWalkGoesOn()
{
    TempFolder folder{"a.avi", "b.avi", "c.avi"};
    TestFileSystem host;
    const QString refused = folder / "b.avi";
    host.failWhen = [&](const QString &operation, const QString &path) {
        return operation == "rename" && path == refused;
    };
    plannedUpperCaseWalk(host, folder.path(), WalkMode::Files);
    QCOMPARE(folder.names(), (QStringList{"A.AVI", "C.AVI", "b.avi"}));
}

void tst_UpperCaseWalk::folderEndingInSeparatorGivesDoubledSeparator()
{
    // A root folder ends in a separator; the walk's paths then hold two.
    TempFolder folder{"a.avi", "Sub/"};
    TestFileSystem host;
    QStringList renamed;
    host.failWhen = [&](const QString &operation, const QString &path) {
        if (operation == "rename")
            renamed << path;
        return false;
    };
    const QString withSeparator = folder.path() + QDir::separator();
    plannedUpperCaseWalk(host, withSeparator, WalkMode::Files);
    QCOMPARE(renamed, QStringList{withSeparator + QDir::separator() + "a.avi"});
    QCOMPARE(folder.names(), (QStringList{"A.AVI", "Sub"}));
}

QTEST_GUILESS_MAIN(tst_UpperCaseWalk)
#include "tst_UpperCaseWalk.moc"
