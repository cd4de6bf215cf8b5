// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"
#include "WindowFixture.h"

#include "core/base/Paths.h"
#include "gui/controls/WindowLayout.h"

#include <QMimeData>

namespace {

QStringList under(const TempFolder &folder, const QStringList &relative)
{
    QStringList paths;
    for (const QString &entry : relative)
        paths << folder / entry;
    return paths;
}

} // namespace

class tst_FoldererWindow : public QObject {
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void tabOrder();
    void drops_data();
    void drops();
    void dropLeavesOutWhatIsNotAFile();
    void pasteFiles_data();
    void pasteFiles();
    void dropBeyondTheListsRoom();
    void clearKeepsTheTexts();
    void makeFolders_data();
    void makeFolders();
};

void tst_FoldererWindow::controls_data()
{
    controlColumns();
    const auto row = controlRow;
    row(FoldererControls::countLabel, "QLabel", "Number of Folders", {120, 240, 1695, 375});
    row(FoldererControls::count, "QLineEdit", "", {1920, 240, 1095, 285});
    row(FoldererControls::destinationLabel, "QLabel", "Destination Folder", {120, 600, 1695, 375});
    row(FoldererControls::destination, "QLineEdit", Paths::hostRoot(), {1920, 600, 5775, 285});
    row(FoldererControls::filesLabel, "QLabel",
        "Drag Files To Be Foldered from Explorer and Drop into this (left window) list below",
        {240, 1080, 5775, 255});
    row(FoldererControls::foldersLabel, "QLabel",
        "Folders to be created (and files on left moved into them) are listed below",
        {7920, 1080, 5775, 255});
    row(FoldererControls::files, "ListBox", "", {120, 1440, 7575, 5715});
    row(FoldererControls::folders, "ListBox", "", {7815, 1440, 6615, 5715});
    row(FoldererControls::makeFolders, "QPushButton", "M&akeFolders", {8595, 7245, 1935, 375});
    row(FoldererControls::clear, "QPushButton", "Clea&r", {10560, 7245, 1935, 375});
    row(FoldererControls::exit, "QPushButton", "E&xit", {12540, 7245, 1935, 375});
}

void tst_FoldererWindow::controls()
{
    TestHost host;
    Folderer f(host);
    QCOMPARE(f.window->size(), WindowLayout::clientSize(14505, 7635));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Create Folders For Thumgen Processing of Video files"));
    compareControl(f.window);

    const QWidget *control = f.control(QTest::currentDataTag());
    if (auto *list = qobject_cast<const ListBox *>(control))
        QCOMPARE(list->acceptDrops(), control == f.files());
    if (auto *button = qobject_cast<const QPushButton *>(control)) {
        QCOMPARE(button->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(button->font().pointSizeF(), 9.75);
        QVERIFY(!button->font().bold());
    }
}

void tst_FoldererWindow::tabOrder()
{
    TestHost host;
    Folderer f(host);
    const QStringList focusable{FoldererControls::count,  FoldererControls::files,
                                FoldererControls::exit,   FoldererControls::destination,
                                FoldererControls::clear,  FoldererControls::makeFolders,
                                FoldererControls::folders};
    QStringList order;
    QWidget *control = f.text(FoldererControls::count);
    do {
        if (focusable.contains(control->objectName()))
            order << control->objectName();
        control = control->nextInFocusChain();
    } while (control != f.text(FoldererControls::count));
    QCOMPARE(order, focusable);
}

void tst_FoldererWindow::drops_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<QStringList>>("drops");
    QTest::addColumn<QStringList>("list1");
    QTest::addColumn<QStringList>("list2");
    QTest::addColumn<QString>("text2");

    const QStringList film{"Movies/Film.avi"};
    const QStringList movies{"Movies/", "Movies/Film.avi"};
    QTest::newRow("one file") << movies << QList<QStringList>{film} << film << QStringList{"Movies/Film"}
                              << "Movies";
    QTest::newRow("same file twice in one drop")
        << movies << QList<QStringList>{film + film} << film << QStringList{"Movies/Film"} << "Movies";
    QTest::newRow("same file in two drops")
        << movies << QList<QStringList>{film, film} << film << QStringList{"Movies/Film"} << "Movies";
    QTest::newRow("video and subtitles") << QStringList{"Movies/", "Movies/Film.avi", "Movies/Film.srt"}
                                         << QList<QStringList>{{"Movies/Film.srt", "Movies/Film.avi"}}
                                         << QStringList{"Movies/Film.avi", "Movies/Film.srt"}
                                         << QStringList{"Movies/Film", "Movies/Film"} << "Movies";
    QTest::newRow("case ignored in order, kept in duplicates")
        << QStringList{"Movies/", "Movies/b.avi", "Movies/A.avi", "Movies/a.avi"}
        << QList<QStringList>{{"Movies/b.avi", "Movies/a.avi", "Movies/A.avi"}, {"Movies/a.avi"}}
        << QStringList{"Movies/A.avi", "Movies/a.avi", "Movies/b.avi"}
        << QStringList{"Movies/A", "Movies/a", "Movies/b"} << "Movies";
    QTest::newRow("files from two folders")
        << QStringList{"New/", "New/y.avi", "New/z.avi", "Old/", "Old/x.mkv"}
        << QList<QStringList>{{"Old/x.mkv"}, {"Old/x.mkv", "New/z.avi", "New/y.avi"}}
        << QStringList{"New/y.avi", "New/z.avi", "Old/x.mkv"} << QStringList{"New/y", "New/z", "Old/x"}
        << "New";
    QTest::newRow("no dot") << QStringList{"Movies/", "Movies/Film"} << QList<QStringList>{{"Movies/Film"}}
                            << QStringList{"Movies/Film"} << QStringList{"Movies/Film"} << "Movies";
    QTest::newRow("dot only in a folder name")
        << QStringList{"My.Movies/", "My.Movies/Film"} << QList<QStringList>{{"My.Movies/Film"}}
        << QStringList{"My.Movies/Film"} << QStringList{"My.Movies/Film"} << "My.Movies";
}

void tst_FoldererWindow::drops()
{
    QFETCH(QStringList, files);
    QFETCH(QList<QStringList>, drops);
    QFETCH(QStringList, list1);
    QFETCH(QStringList, list2);
    QFETCH(QString, text2);
    TempFolder folder;
    folder.make(files);
    TestHost host;
    Folderer f(host);

    for (const QStringList &drop : drops)
        QVERIFY(f.drop(FoldererControls::files, under(folder, drop)));

    QCOMPARE(f.files()->items(), under(folder, list1));
    QCOMPARE(f.folders()->items(), under(folder, list2));
    QCOMPARE(f.text(FoldererControls::count)->text(), QString::number(list1.size()));
    QCOMPARE(f.text(FoldererControls::destination)->text(), folder / text2);
    QCOMPARE(host.messages, QStringList());
    QCOMPARE(folder.tree().size(), files.size());
}

using Clipboard = QHash<QString, QByteArray>;

// Ctrl+V in the list takes the files copied in a file manager, or paths
// copied as text, as a drop of them would; anything else adds nothing and
// says so. %1 stands for the folder of the files.
void tst_FoldererWindow::pasteFiles_data()
{
    QTest::addColumn<Clipboard>("clipboard");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("message");

    const QStringList both{"%1/b.avi", "%1/Film 1.avi"};
    QTest::newRow("uri list") << Clipboard{{"text/uri-list", "# copied\r\nfile://%1/b.avi\r\n"
                                                             "file://%1/Film%201.avi\r\n"}}
                              << both << QString();
    QTest::newRow("GNOME copied files")
        << Clipboard{{"x-special/gnome-copied-files", "cut\nfile://%1/b.avi\nfile://%1/Film%201.avi"}} << both
        << QString();
    QTest::newRow("paths as text") << Clipboard{{"text/plain", "%1/b.avi\n%1/Film 1.avi\n"}} << both
                                   << QString();
    QTest::newRow("text naming no file")
        << Clipboard{{"text/plain", "Film 1.avi"}} << QStringList()
        << "The clipboard holds no files. Copy them in a file manager first, then press Ctrl+V here.";
    QTest::newRow("files gone") << Clipboard{{"text/uri-list", "file://%1/gone.avi\r\n"}} << QStringList()
                                << "1 dropped item left out: only existing files can be listed.";
}

void tst_FoldererWindow::pasteFiles()
{
    QFETCH(Clipboard, clipboard);
    QFETCH(QStringList, rows);
    QFETCH(QString, message);

    TempFolder folder{"Film 1.avi", "b.avi"};
    TestHost host;
    Folderer f(host);
    for (auto it = clipboard.begin(); it != clipboard.end(); ++it)
        it.value().replace("%1", QFile::encodeName(folder.path()));
    host.clipboard = clipboard;
    QVERIFY(QTest::qWaitForWindowActive(f.window));
    f.files()->setFocus();
    QTest::keyClick(f.files(), Qt::Key_V, Qt::ControlModifier);
    for (QString &row : rows)
        row = row.arg(folder.path());
    QCOMPARE(f.files()->items(), rows);
    QCOMPARE(f.folders()->count(), rows.size());
    QCOMPARE(host.messages, message.isEmpty() ? QStringList() : QStringList{message});
}

void tst_FoldererWindow::dropLeavesOutWhatIsNotAFile()
{
    TempFolder folder{"Movies/", "Movies/Film.avi", "Movies/Sub/"};
    TestHost host;
    Folderer f(host);
    QMimeData textOnly;
    textOnly.setText(folder / "Movies/Film.avi");
    QVERIFY(!dropOn(f.files(), textOnly));

    const QList<QUrl> notFiles = fileUrls({folder / "Movies/Sub", folder / "Movies/Gone.avi"})
                                 << QUrl(QStringLiteral("https://example.com/Film.avi"));
    QVERIFY(dropOn(f.files(), notFiles));
    QCOMPARE(f.files()->count(), 0);
    QCOMPARE(f.text(FoldererControls::count)->text(), QString());
    QCOMPARE(f.text(FoldererControls::destination)->text(), Paths::hostRoot());
    QCOMPARE(host.messages.size(), 1);
    QVERIFY(host.messages.at(0).startsWith(QStringLiteral("3 ")));

    QVERIFY(dropOn(f.files(), notFiles + fileUrls({folder / "Movies/Film.avi"})));
    QCOMPARE(f.files()->items(), QStringList{folder / "Movies/Film.avi"});
    QCOMPARE(f.folders()->items(), QStringList{folder / "Movies/Film"});
    QCOMPARE(f.text(FoldererControls::count)->text(), QStringLiteral("1"));
    QCOMPARE(f.text(FoldererControls::destination)->text(), folder / "Movies");
    QCOMPARE(host.messages.size(), 2);
}

void tst_FoldererWindow::dropBeyondTheListsRoom()
{
    TempFolder folder{"A/", "A/x.avi", "B/", "B/y.avi"};
    TestHost host;
    Folderer f(host);
    QStringList earlier;
    for (int i = 0; i < ListBox::MaxRows - 1; ++i)
        earlier << QStringLiteral("/earlier/%1.avi").arg(i, 5, 10, QLatin1Char('0'));
    f.files()->addItems(earlier);

    QVERIFY(f.drop(FoldererControls::files, under(folder, {"A/x.avi", "B/y.avi"})));
    QCOMPARE(f.files()->count(), ListBox::MaxRows);
    QVERIFY(f.files()->items().contains(folder / "A/x.avi"));
    QCOMPARE(f.folders()->count(), ListBox::MaxRows);
    QCOMPARE(f.text(FoldererControls::count)->text(), QStringLiteral("32767"));
    QCOMPARE(f.text(FoldererControls::destination)->text(), folder / "A");
    QCOMPARE(host.messages.size(), 1);
    QVERIFY(host.messages.at(0).startsWith(QStringLiteral("1 ")));
}

void tst_FoldererWindow::clearKeepsTheTexts()
{
    TempFolder folder{"Movies/", "Movies/Film.avi"};
    TestHost host;
    Folderer f(host);
    QVERIFY(f.drop(FoldererControls::files, under(folder, {"Movies/Film.avi"})));

    f.click(FoldererControls::clear);
    QCOMPARE(f.files()->count(), 0);
    QCOMPARE(f.folders()->count(), 0);
    QCOMPARE(f.text(FoldererControls::count)->text(), QStringLiteral("1"));
    QCOMPARE(f.text(FoldererControls::destination)->text(), folder / "Movies");
    QCOMPARE(folder.tree(), (QStringList{"Movies/", "Movies/Film.avi<-Movies/Film.avi"}));
}

void tst_FoldererWindow::makeFolders_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QString>("failingFolder");
    QTest::addColumn<QStringList>("after");

    const QStringList film{"Movies/Film.avi"};
    QTest::newRow("one file") << QStringList{"Movies/", "Movies/Film.avi"} << film << QString()
                              << QStringList{"Movies/", "Movies/Film/",
                                             "Movies/Film/Film.avi<-Movies/Film.avi"};
    QTest::newRow("video and subtitles into one folder")
        << QStringList{"Movies/", "Movies/Film.avi", "Movies/Film.srt"}
        << QStringList{"Movies/Film.avi", "Movies/Film.srt"} << QString()
        << QStringList{"Movies/", "Movies/Film/", "Movies/Film/Film.avi<-Movies/Film.avi",
                       "Movies/Film/Film.srt<-Movies/Film.srt"};
    QTest::newRow("folder exists already")
        << QStringList{"Movies/", "Movies/Film.avi", "Movies/Film/", "Movies/Film/poster.jpg"} << film
        << QString()
        << QStringList{"Movies/", "Movies/Film/", "Movies/Film/Film.avi<-Movies/Film.avi",
                       "Movies/Film/poster.jpg<-Movies/Film/poster.jpg"};
    QTest::newRow("target file exists already")
        << QStringList{"Movies/", "Movies/Film.avi", "Movies/Film/", "Movies/Film/Film.avi"} << film
        << QString()
        << QStringList{"Movies/", "Movies/Film.avi<-Movies/Film.avi", "Movies/Film/",
                       "Movies/Film/Film.avi<-Movies/Film/Film.avi"};
    QTest::newRow("files from several folders")
        << QStringList{"Old/", "Old/x.mkv", "New/", "New/y.avi", "New/z.divx"}
        << QStringList{"Old/x.mkv", "New/y.avi", "New/z.divx"} << QString()
        << QStringList{"New/", "New/y/", "New/y/y.avi<-New/y.avi", "New/z/", "New/z/z.divx<-New/z.divx",
                       "Old/", "Old/x/", "Old/x/x.mkv<-Old/x.mkv"};
    // "Film Extra.avi" lists before "Film.avi" but its folder after "Film":
    // its move fails in the first pass and succeeds in the second.
    QTest::newRow("folder planned on a later row")
        << QStringList{"Movies/", "Movies/Film.avi", "Movies/Film Extra.avi"}
        << QStringList{"Movies/Film.avi", "Movies/Film Extra.avi"} << QString()
        << QStringList{"Movies/", "Movies/Film Extra/",
                       "Movies/Film Extra/Film Extra.avi<-Movies/Film Extra.avi", "Movies/Film/",
                       "Movies/Film/Film.avi<-Movies/Film.avi"};
    QTest::newRow("no dot stays") << QStringList{"Movies/", "Movies/Film"} << QStringList{"Movies/Film"}
                                  << QString() << QStringList{"Movies/", "Movies/Film<-Movies/Film"};
    QTest::newRow("dot only in a folder name stays")
        << QStringList{"My.Movies/", "My.Movies/Film"} << QStringList{"My.Movies/Film"} << QString()
        << QStringList{"My.Movies/", "My.Movies/Film<-My.Movies/Film"};
    QTest::newRow("folder that cannot be made")
        << QStringList{"Movies/", "Movies/Film.avi", "Movies/Other.avi"}
        << QStringList{"Movies/Film.avi", "Movies/Other.avi"} << QStringLiteral("Movies/Film")
        << QStringList{"Movies/", "Movies/Film.avi<-Movies/Film.avi", "Movies/Other/",
                       "Movies/Other/Other.avi<-Movies/Other.avi"};
}

void tst_FoldererWindow::makeFolders()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, dropped);
    QFETCH(QString, failingFolder);
    QFETCH(QStringList, after);
    TempFolder folder;
    folder.make(files);
    TestHost host;
    Folderer f(host);
    if (!failingFolder.isEmpty()) {
        const QString failing = folder / failingFolder;
        host.failWhen = [failing](const QString &operation, const QString &path) {
            return operation == QLatin1String("makeFolder") && path == failing;
        };
    }
    QVERIFY(f.drop(FoldererControls::files, under(folder, dropped)));
    const QString count = f.text(FoldererControls::count)->text();
    const QString destination = f.text(FoldererControls::destination)->text();

    f.click(FoldererControls::makeFolders);
    QCOMPARE(folder.tree(), after);
    QCOMPARE(f.files()->count(), 0);
    QCOMPARE(f.folders()->count(), 0);
    QCOMPARE(f.text(FoldererControls::count)->text(), count);
    QCOMPARE(f.text(FoldererControls::destination)->text(), destination);
    QCOMPARE(host.messages, QStringList());
}

QTEST_MAIN(tst_FoldererWindow)
#include "tst_FoldererWindow.moc"
