// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/FolderRows.h"

#include <QTest>

// The rows a list shows of a folder's entries, which come in no order.
class tst_FolderRows : public QObject {
    Q_OBJECT
private slots:
    void rows_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<EntryKinds>("kinds");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("*.* lists files with and without a dot")
            << "*.*" << EntryKinds::Files
            << QStringList{"a.avi", "B.avi", "b.avi", "FILM.AVI", "nodots", "Weird [1].avi"};
        QTest::newRow("*.avi ignores case")
            << "*.avi" << EntryKinds::Files
            << QStringList{"a.avi", "B.avi", "b.avi", "FILM.AVI", "Weird [1].avi"};
        QTest::newRow("? is one character") << "nodot?" << EntryKinds::Files << QStringList{"nodots"};
        QTest::newRow("brackets are plain") << "*[1]*" << EntryKinds::Files << QStringList{"Weird [1].avi"};
        QTest::newRow("folders too") << "*" << EntryKinds::FilesAndFolders
                                     << QStringList{"a.avi",  "B.avi",    "b.avi",        "FILM.AVI",
                                                    "nodots", "Season 1", "Weird [1].avi"};
        QTest::newRow("folders only") << "*" << EntryKinds::Folders << QStringList{"Season 1"};
        QTest::newRow("a folder is no file") << "Season 1" << EntryKinds::Files << QStringList{};
        QTest::newRow("a link to nothing is no row")
            << "dangling" << EntryKinds::FilesAndFolders << QStringList{};
        QTest::newRow("nothing matches") << "*.mkv" << EntryKinds::Files << QStringList{};
    }
    void rows()
    {
        QFETCH(QString, pattern);
        QFETCH(EntryKinds, kinds);
        QFETCH(QStringList, expected);
        const QList<FolderEntry> entries{{"Weird [1].avi"},
                                         {"b.avi"},
                                         {"Season 1", FolderEntry::Folder},
                                         {"nodots"},
                                         {"dangling", FolderEntry::Other},
                                         {"FILM.AVI"},
                                         {"B.avi"},
                                         {"a.avi"}};
        QCOMPARE(folderRows(entries, Wildcard(pattern), kinds), expected);
    }
};

QTEST_APPLESS_MAIN(tst_FolderRows)
#include "tst_FolderRows.moc"
