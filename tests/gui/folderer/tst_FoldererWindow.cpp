#include "TempFolder.h"
#include "TestHost.h"

#include "core/base/Paths.h"
#include "gui/controls/ListBox.h"
#include "gui/controls/WindowLayout.h"
#include "gui/folderer/FoldererWindow.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

namespace {

// Drags data over list and drops it there, as the file manager does: the
// events reach the list's viewport. Returns whether the list took the drop.
bool dropOn(ListBox *list, const QMimeData &data)
{
    const QPoint at = list->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &drop);
    return drop.isAccepted();
}

bool dropOn(ListBox *list, const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    return dropOn(list, data);
}

QStringList under(const TempFolder &folder, const QStringList &relative)
{
    QStringList paths;
    for (const QString &entry : relative)
        paths << folder / entry;
    return paths;
}

QList<QUrl> fileUrls(const TempFolder &folder, const QStringList &relative)
{
    QList<QUrl> urls;
    for (const QString &path : under(folder, relative))
        urls << QUrl::fromLocalFile(path);
    return urls;
}

// A folderer window over a test host, its controls found by name.
struct Folderer {
    Folderer() { window.show(); }

    TestHost host;
    FoldererWindow window{host, host, nullptr};
    QLineEdit *text1 = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
    QLineEdit *text2 = window.findChild<QLineEdit *>(QStringLiteral("Text2"));
    ListBox *list1 = window.findChild<ListBox *>(QStringLiteral("List1"));
    ListBox *list2 = window.findChild<ListBox *>(QStringLiteral("List2"));
    QPushButton *makeFolders = window.findChild<QPushButton *>(QStringLiteral("Command5"));
    QPushButton *clear = window.findChild<QPushButton *>(QStringLiteral("Command4"));
};

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
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twips");

    auto row = [](const char *name, const char *kind, const QString &text, QRect twips) {
        QTest::newRow(name) << QString::fromLatin1(kind) << text << twips;
    };
    row("Label2", "QLabel", "Number of Folders", {120, 240, 1695, 375});
    row("Text1", "QLineEdit", "", {1920, 240, 1095, 285});
    row("Label1", "QLabel", "Destination Folder", {120, 600, 1695, 375});
    row("Text2", "QLineEdit", Paths::hostRoot(), {1920, 600, 5775, 285});
    row("Label3", "QLabel",
        "Drag Files To Be Foldered from Explorer and Drop into this (left window) list below",
        {240, 1080, 5775, 255});
    row("Label4", "QLabel",
        "Folders to be created (and files on left moved into them) are listed below",
        {7920, 1080, 5775, 255});
    row("List1", "ListBox", "", {120, 1440, 7575, 5715});
    row("List2", "ListBox", "", {7815, 1440, 6615, 5715});
    row("Command5", "QPushButton", "M&akeFolders", {8595, 7245, 1935, 375});
    row("Command4", "QPushButton", "Clea&r", {10560, 7245, 1935, 375});
    row("Command2", "QPushButton", "E&xit", {12540, 7245, 1935, 375});
}

void tst_FoldererWindow::controls()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QRect, twips);
    Folderer f;
    QCOMPARE(f.window.size(), WindowLayout::clientSize(14505, 7635));
    QCOMPARE(f.window.windowTitle(), QStringLiteral("Create Folders For Thumgen Processing of Video files"));

    const QWidget *control = f.window.findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
    using WindowLayout::pixels;
    QCOMPARE(control->geometry(),
             QRect(pixels(twips.x()), pixels(twips.y()), pixels(twips.width()), pixels(twips.height())));
    if (auto *label = qobject_cast<const QLabel *>(control))
        QCOMPARE(label->text(), text);
    if (auto *box = qobject_cast<const QLineEdit *>(control))
        QCOMPARE(box->text(), text);
    if (auto *list = qobject_cast<const ListBox *>(control)) {
        QVERIFY(list->isSorted());
        QCOMPARE(list->count(), 0);
        QCOMPARE(list->acceptDrops(), list->objectName() == QLatin1String("List1"));
    }
    if (auto *button = qobject_cast<const QPushButton *>(control)) {
        QCOMPARE(button->text(), text);
        QCOMPARE(button->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(button->font().pointSizeF(), 9.75);
        QVERIFY(!button->font().bold());
    }
}

void tst_FoldererWindow::tabOrder()
{
    Folderer f;
    const QStringList focusable{"Text1", "List1", "Command2", "Text2", "Command4", "Command5", "List2"};
    QStringList order;
    QWidget *control = f.text1;
    do {
        if (focusable.contains(control->objectName()))
            order << control->objectName();
        control = control->nextInFocusChain();
    } while (control != f.text1);
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
    QTest::newRow("one file") << movies << QList<QStringList>{film} << film
                              << QStringList{"Movies/Film"} << "Movies";
    QTest::newRow("same file twice in one drop")
        << movies << QList<QStringList>{film + film} << film << QStringList{"Movies/Film"} << "Movies";
    QTest::newRow("same file in two drops")
        << movies << QList<QStringList>{film, film} << film << QStringList{"Movies/Film"} << "Movies";
    QTest::newRow("video and subtitles")
        << QStringList{"Movies/", "Movies/Film.avi", "Movies/Film.srt"}
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
        << QStringList{"New/y.avi", "New/z.avi", "Old/x.mkv"}
        << QStringList{"New/y", "New/z", "Old/x"} << "New";
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
    Folderer f;

    for (const QStringList &drop : drops)
        QVERIFY(dropOn(f.list1, fileUrls(folder, drop)));

    QCOMPARE(f.list1->items(), under(folder, list1));
    QCOMPARE(f.list2->items(), under(folder, list2));
    QCOMPARE(f.text1->text(), QString::number(list1.size()));
    QCOMPARE(f.text2->text(), folder / text2);
    QCOMPARE(f.host.messages, QStringList());
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
        << Clipboard{{"x-special/gnome-copied-files", "cut\nfile://%1/b.avi\nfile://%1/Film%201.avi"}}
        << both << QString();
    QTest::newRow("paths as text") << Clipboard{{"text/plain", "%1/b.avi\n%1/Film 1.avi\n"}} << both
                                   << QString();
    QTest::newRow("text naming no file")
        << Clipboard{{"text/plain", "Film 1.avi"}} << QStringList()
        << "The clipboard holds no files. Copy them in a file manager first, then press Ctrl+V here.";
    QTest::newRow("files gone") << Clipboard{{"text/uri-list", "file://%1/gone.avi\r\n"}}
                                << QStringList()
                                << "1 dropped item left out: only existing files can be listed.";
}

void tst_FoldererWindow::pasteFiles()
{
    QFETCH(Clipboard, clipboard);
    QFETCH(QStringList, rows);
    QFETCH(QString, message);

    TempFolder folder{"Film 1.avi", "b.avi"};
    Folderer f;
    for (auto it = clipboard.begin(); it != clipboard.end(); ++it)
        it.value().replace("%1", QFile::encodeName(folder.path()));
    f.host.clipboard = clipboard;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.list1->setFocus();
    QTest::keyClick(f.list1, Qt::Key_V, Qt::ControlModifier);
    for (QString &row : rows)
        row = row.arg(folder.path());
    QCOMPARE(f.list1->items(), rows);
    QCOMPARE(f.list2->count(), rows.size());
    QCOMPARE(f.host.messages, message.isEmpty() ? QStringList() : QStringList{message});
}

void tst_FoldererWindow::dropLeavesOutWhatIsNotAFile()
{
    TempFolder folder{"Movies/", "Movies/Film.avi", "Movies/Sub/"};
    Folderer f;
    QMimeData textOnly;
    textOnly.setText(folder / "Movies/Film.avi");
    QVERIFY(!dropOn(f.list1, textOnly));

    const QList<QUrl> notFiles{QUrl::fromLocalFile(folder / "Movies/Sub"),
                               QUrl(QStringLiteral("https://example.com/Film.avi")),
                               QUrl::fromLocalFile(folder / "Movies/Gone.avi")};
    QVERIFY(dropOn(f.list1, notFiles));
    QCOMPARE(f.list1->count(), 0);
    QCOMPARE(f.text1->text(), QString());
    QCOMPARE(f.text2->text(), Paths::hostRoot());
    QCOMPARE(f.host.messages.size(), 1);
    QVERIFY(f.host.messages.at(0).startsWith(QStringLiteral("3 ")));

    QVERIFY(dropOn(f.list1, notFiles + fileUrls(folder, {"Movies/Film.avi"})));
    QCOMPARE(f.list1->items(), QStringList{folder / "Movies/Film.avi"});
    QCOMPARE(f.list2->items(), QStringList{folder / "Movies/Film"});
    QCOMPARE(f.text1->text(), QStringLiteral("1"));
    QCOMPARE(f.text2->text(), folder / "Movies");
    QCOMPARE(f.host.messages.size(), 2);
}

void tst_FoldererWindow::dropBeyondTheListsRoom()
{
    TempFolder folder{"A/", "A/x.avi", "B/", "B/y.avi"};
    Folderer f;
    QStringList earlier;
    for (int i = 0; i < ListBox::MaxRows - 1; ++i)
        earlier << QStringLiteral("/earlier/%1.avi").arg(i, 5, 10, QLatin1Char('0'));
    f.list1->addItems(earlier);

    QVERIFY(dropOn(f.list1, fileUrls(folder, {"A/x.avi", "B/y.avi"})));
    QCOMPARE(f.list1->count(), ListBox::MaxRows);
    QVERIFY(f.list1->items().contains(folder / "A/x.avi"));
    QCOMPARE(f.list2->count(), ListBox::MaxRows);
    QCOMPARE(f.text1->text(), QStringLiteral("32767"));
    QCOMPARE(f.text2->text(), folder / "A");
    QCOMPARE(f.host.messages.size(), 1);
    QVERIFY(f.host.messages.at(0).startsWith(QStringLiteral("1 ")));
}

void tst_FoldererWindow::clearKeepsTheTexts()
{
    TempFolder folder{"Movies/", "Movies/Film.avi"};
    Folderer f;
    QVERIFY(dropOn(f.list1, fileUrls(folder, {"Movies/Film.avi"})));

    QTest::mouseClick(f.clear, Qt::LeftButton);
    QCOMPARE(f.list1->count(), 0);
    QCOMPARE(f.list2->count(), 0);
    QCOMPARE(f.text1->text(), QStringLiteral("1"));
    QCOMPARE(f.text2->text(), folder / "Movies");
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
                              << QStringList{"Movies/", "Movies/Film/", "Movies/Film/Film.avi<-Movies/Film.avi"};
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
        << QStringList{"Movies/", "Movies/Film Extra/", "Movies/Film Extra/Film Extra.avi<-Movies/Film Extra.avi",
                       "Movies/Film/", "Movies/Film/Film.avi<-Movies/Film.avi"};
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
    Folderer f;
    if (!failingFolder.isEmpty()) {
        const QString failing = folder / failingFolder;
        f.host.failWhen = [failing](const QString &operation, const QString &path) {
            return operation == QLatin1String("makeFolder") && path == failing;
        };
    }
    QVERIFY(dropOn(f.list1, fileUrls(folder, dropped)));
    const QString count = f.text1->text();
    const QString destination = f.text2->text();

    QTest::mouseClick(f.makeFolders, Qt::LeftButton);
    QCOMPARE(folder.tree(), after);
    QCOMPARE(f.list1->count(), 0);
    QCOMPARE(f.list2->count(), 0);
    QCOMPARE(f.text1->text(), count);
    QCOMPARE(f.text2->text(), destination);
    QCOMPARE(f.host.messages, QStringList());
}

QTEST_MAIN(tst_FoldererWindow)
#include "tst_FoldererWindow.moc"
