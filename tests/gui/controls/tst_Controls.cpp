// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"
#include "WindowFixture.h"

#include "gui/controls/FileDrop.h"
#include "gui/controls/FileListBox.h"
#include "gui/controls/FolderListBox.h"
#include "gui/controls/ListBox.h"
#include "gui/controls/WarningLook.h"

#include <QApplication>
#include <QIcon>
#include <QSignalSpy>
#include <QTest>

namespace {

// A dark colour scheme as desktops ship it: light text on a near-black list.
QPalette darkPalette()
{
    QPalette dark(QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    return dark;
}

} // namespace

class tst_Controls : public QObject {
    Q_OBJECT
private slots:
    // A warned row reads on the colour scheme in force, also when it changes
    // while the list is shown, and carries an icon; its text stays its own.
    void warnedRowReads_data()
    {
        QTest::addColumn<QPalette>("before");
        QTest::addColumn<QPalette>("after");

        const QPalette light = QApplication::style()->standardPalette();
        QTest::newRow("light") << darkPalette() << light;
        QTest::newRow("dark") << light << darkPalette();
    }
    void warnedRowReads()
    {
        QFETCH(QPalette, before);
        QFETCH(QPalette, after);

        const QPalette kept = QApplication::palette();
        QApplication::setPalette(before);
        ListBox list(false);
        list.addItems({"a.avi", "B.AVI"});
        list.setRowWarning(1, QStringLiteral("gets a counter"));
        list.show();
        QApplication::setPalette(after);
        const QModelIndex row = list.model()->index(1, 0);
        const QColor text = row.data(Qt::ForegroundRole).value<QColor>();
        const double contrast = WarningLook::contrast(text, list.palette().color(QPalette::Base));
        QApplication::setPalette(kept);
        QVERIFY2(contrast >= WarningLook::LeastContrast, qPrintable(QString::number(contrast)));
        QVERIFY(!row.data(Qt::DecorationRole).value<QIcon>().isNull());
        QCOMPARE(row.data(Qt::DisplayRole).toString(), QStringLiteral("B.AVI"));
    }

    void listBoxOrder_data()
    {
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("sorted ignores case")
            << true << QStringList{"b", "C", "a"} << QStringList{} << QStringList{"a", "b", "C"};
        QTest::newRow("sorted places later rows")
            << true << QStringList{"b.avi", "d.avi"} << QStringList{"C.avi", "a.avi", "e.avi"}
            << QStringList{"a.avi", "b.avi", "C.avi", "d.avi", "e.avi"};
        QTest::newRow("exact twins stand together")
            << true << QStringList{"a.avi", "A.avi"} << QStringList{"a.avi"}
            << QStringList{"A.avi", "a.avi", "a.avi"};
        QTest::newRow("unsorted keeps the order of adding")
            << false << QStringList{"b", "a"} << QStringList{"c", "a"} << QStringList{"b", "a", "c", "a"};
    }
    void listBoxOrder()
    {
        QFETCH(bool, sorted);
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QStringList, rows);
        ListBox list(sorted);
        list.addItems(first);
        list.addItems(second);
        QCOMPARE(list.items(), rows);
    }

    void listBoxRowsAndLimit()
    {
        ListBox list(false);
        QCOMPARE(list.item(0), QString());
        list.addItems({"a", "c"});
        QCOMPARE(list.item(1), QStringLiteral("c"));
        QCOMPARE(list.item(2), QString());
        QCOMPARE(list.item(-1), QString());

        QStringList many;
        for (int i = 0; i < ListBox::MaxRows + 5; ++i)
            many << QString::number(i);
        QCOMPARE(list.addItems(many), ListBox::MaxRows - 2);
        QCOMPARE(list.count(), ListBox::MaxRows);
        QCOMPARE(list.addItems({"x"}), 0);
        list.clear();
        QCOMPARE(list.count(), 0);
    }

    void listBoxTakesARealDrop()
    {
        TempFolder folder{"a.avi"};
        ListBox list(true);
        list.setAcceptsFileDrops(true);
        QSignalSpy dropped(&list, &ListBox::filesDropped);
        QVERIFY(dropOn(&list, fileUrls({folder / "a.avi"})));
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).value<QList<QUrl>>(), fileUrls({folder / "a.avi"}));
    }

    void droppedFilesLeaveOutWhatIsNoFile()
    {
        TempFolder folder{"b.avi", "a.avi", "Sub/"};
        TestHost host;
        ListBox list(true);
        QList<QUrl> urls = fileUrls(
            {folder / "b.avi", folder / "Sub", folder / "gone.avi", folder / "a.avi"});
        urls << QUrl("https://example.org/film.avi");
        QCOMPARE(addDroppedFiles(host, host, list, urls), (QStringList{folder / "b.avi", folder / "a.avi"}));
        QCOMPARE(list.items(), (QStringList{folder / "a.avi", folder / "b.avi"}));
        QCOMPARE(host.messages.size(), 1);
        QVERIFY(host.messages.at(0).startsWith("3 dropped items left out"));
    }

    void droppedFilesBeyondTheLimitAreReported()
    {
        TempFolder folder{"a.avi", "b.avi", "c.avi"};
        TestHost host;
        ListBox list(true);
        QStringList filler;
        for (int i = 0; i < ListBox::MaxRows - 1; ++i)
            filler << QString::number(i);
        list.addItems(filler);
        const QStringList added = addDroppedFiles(
            host, host, list, fileUrls({folder / "a.avi", folder / "b.avi", folder / "c.avi"}));
        QCOMPARE(added, QStringList{folder / "a.avi"});
        QCOMPARE(host.messages, QStringList{"2 dropped files left out: the list holds at most 32,767 rows."});
    }

    void fileListShowsMatchingFilesOnly()
    {
        TempFolder folder{"b.AVI", "a.avi", "c.mkv", "nodots", ".hidden.avi", "Sub.avi/"};
        TestHost host;
        FileListBox files(host);
        files.setPath(folder.path());
        QCOMPARE(files.items(), (QStringList{"a.avi", "b.AVI", "c.mkv", "nodots"}));
        files.setPattern("*.avi");
        QCOMPARE(files.items(), (QStringList{"a.avi", "b.AVI"}));
        folder.make({"d.avi"});
        QCOMPARE(files.count(), 2);
        files.refresh();
        QCOMPARE(files.items(), (QStringList{"a.avi", "b.AVI", "d.avi"}));
        QCOMPARE(files.selectedIndex(), -1);
    }

    void fileListReportsOnlyTheUsersChoice()
    {
        TempFolder folder{"a.avi", "b.avi"};
        TestHost host;
        FileListBox files(host);
        files.setPath(folder.path());
        QSignalSpy chosen(&files, &FileListBox::entryChosen);
        files.show();
        files.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&files));
        QCOMPARE(chosen.count(), 0);
        QTest::keyClick(&files, Qt::Key_Down);
        QTest::keyClick(&files, Qt::Key_Down);
        QVERIFY(chosen.count() >= 1);
        QCOMPARE(files.selectedName(), QString("b.avi"));
    }

    void folderListMovesOnlyToFolders()
    {
        TempFolder folder{"Sub/", "file.avi"};
        TestHost host;
        FolderListBox folders(host);
        QSignalSpy changed(&folders, &FolderListBox::pathChanged);
        QVERIFY(folders.setPath(folder.path()));
        QCOMPARE(folders.path(), folder.path());
        QCOMPARE(changed.count(), 1);
        QVERIFY(folders.setPath(folder.path() + "/"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(!folders.setPath(folder / "file.avi"));
        QVERIFY(!folders.setPath(folder / "missing"));
        QVERIFY(!folders.setPath("Sub"));
        QCOMPARE(folders.path(), folder.path());
        QVERIFY(folders.setPath("/"));
        QCOMPARE(folders.path(), QString("/"));
    }

    void folderListOpensARow()
    {
        TempFolder folder{"Sub/"};
        TestHost host;
        FolderListBox folders(host);
        folders.setPath(folder.path());
        const QList<QListWidgetItem *> rows = folders.findItems("Sub", Qt::MatchEndsWith);
        QCOMPARE(rows.size(), 1);
        emit folders.itemActivated(rows.at(0));
        QCOMPARE(folders.path(), folder / "Sub");
        emit folders.itemActivated(folders.item(0));
        QCOMPARE(folders.path(), QString("/"));
    }
};

QTEST_MAIN(tst_Controls)
#include "tst_Controls.moc"
