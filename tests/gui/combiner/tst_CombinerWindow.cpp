#include "TempFolder.h"
#include "TestHost.h"

#include "gui/controls/ListBox.h"
#include "gui/controls/WindowLayout.h"
#include "gui/combiner/CombinerWindow.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <unistd.h>

namespace {

const QString Settings = QStringLiteral(
    "145-44100-160- -Stereo-1245-25.000-0x10000002-0-0-36-416:320- - -0,720x400,0;0;0;0;0;0;0;0;0;0;0;0;0;25.000");

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QList<QUrl> fileUrls(const QStringList &paths)
{
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    return urls;
}

// The combiner window with a scripted host, its controls found by name.
struct Combiner {
    TestHost host;
    CombinerWindow window{host, host, nullptr};

    template<typename T = QWidget>
    T *control(const char *name) { return window.findChild<T *>(QLatin1String(name)); }
    ListBox *list() { return control<ListBox>("List1"); }
    QLineEdit *text(const char *name) { return control<QLineEdit>(name); }
    void click(const char *button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }

    // Drags urls over List1 and drops them, as the file manager does: the
    // list's viewport is the widget under the mouse.
    bool drop(const QList<QUrl> &urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QWidget *target = list()->viewport();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropped);
        return dropped.isAccepted();
    }
    bool drop(const QStringList &paths) { return drop(fileUrls(paths)); }
};

} // namespace

class tst_CombinerWindow : public QObject {
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void tabOrder();
    void dropsAddFilesInOrder();
    void dropWithoutFilesChangesNoText();
    void filesByKeyboard_data();
    void filesByKeyboard();
    void clearKeepsTexts();
    void combineWritesScript();
    void createPdeWritesList();
    void emptyListWritesNothing();
    void oneClockReading();
    void refusedListIsKept();
    void failedWriteIsReported_data();
    void failedWriteIsReported();
    void scriptJoinsFilesInListOrder();
};

void tst_CombinerWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twips");

    const QString root = QDir::toNativeSeparators(QDir::rootPath());
    QTest::newRow("Label1") << "Label1" << "QLabel" << "Destination Filename" << QRect(120, 240, 1695, 375);
    QTest::newRow("Text1") << "Text1" << "QLineEdit" << "output.mpg" << QRect(1920, 240, 5775, 285);
    QTest::newRow("Label2") << "Label2" << "QLabel" << "Default Directory" << QRect(120, 600, 1695, 375);
    QTest::newRow("Text2") << "Text2" << "QLineEdit" << root << QRect(1920, 600, 5775, 285);
    QTest::newRow("Label3") << "Label3" << "QLabel"
                            << "Drag MPG or VOB Files from Explorer and Drop onto the window list below"
                            << QRect(120, 960, 6375, 255);
    QTest::newRow("Command4") << "Command4" << "QPushButton" << "Clea&r" << QRect(6720, 960, 975, 375);
    QTest::newRow("List1") << "List1" << "ListBox" << "" << QRect(120, 1440, 7575, 5715);
    QTest::newRow("Command1") << "Command1" << "QPushButton" << "&Create PDE" << QRect(5640, 7200, 975, 375);
    QTest::newRow("Command5") << "Command5" << "QPushButton" << "C&ombine" << QRect(4590, 7200, 975, 375);
    QTest::newRow("Command2") << "Command2" << "QPushButton" << "E&xit" << QRect(6720, 7200, 975, 375);
}

void tst_CombinerWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QRect, twips);

    Combiner c;
    QCOMPARE(c.window.objectName(), QStringLiteral("CombineFilesUsingCMD"));
    QCOMPARE(c.window.windowTitle(), QStringLiteral("Create PocketDivX PDE or Combine VOBS to MPG CMD Batch"));
    QWidget *control = c.control(qPrintable(name));
    QVERIFY(control);
    QVERIFY(control->inherits(qPrintable(kind)));
    using WindowLayout::pixels;
    QCOMPARE(control->geometry(),
             QRect(pixels(twips.x()), pixels(twips.y()), pixels(twips.width()), pixels(twips.height())));
    if (auto *label = qobject_cast<QLabel *>(control))
        QCOMPARE(label->text(), text);
    else if (auto *edit = qobject_cast<QLineEdit *>(control))
        QCOMPARE(edit->text(), text);
    else if (auto *button = qobject_cast<QPushButton *>(control))
        QCOMPARE(button->text(), text);
    else {
        auto *list = qobject_cast<ListBox *>(control);
        QVERIFY(list->isSorted());
        QCOMPARE(list->count(), 0);
    }
}

// Tab walks the controls that take the focus in the order of their tab indexes.
void tst_CombinerWindow::tabOrder()
{
    Combiner c;
    QStringList order;
    QWidget *w = c.control("Text1");
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != c.control("Text1"));
    QCOMPARE(order, (QStringList{"Text1", "List1", "Command1", "Command2", "Text2", "Command4", "Command5"}));
}

void tst_CombinerWindow::dropsAddFilesInOrder()
{
    TempFolder folder{"A/", "A/VTS_01_2.VOB", "A/vts_01_1.vob", "B/", "B/VTS_01_3.VOB"};
    Combiner c;

    QVERIFY(c.drop(QStringList{folder / "A/VTS_01_2.VOB", folder / "A/vts_01_1.vob"}));
    QCOMPARE(c.list()->items(), (QStringList{folder / "A/vts_01_1.vob", folder / "A/VTS_01_2.VOB"}));
    // The folder of the last file of the drop, not of the last row.
    QCOMPARE(c.text("Text2")->text(), folder / "A");

    QVERIFY(c.drop(QStringList{folder / "B/VTS_01_3.VOB", folder / "A/VTS_01_2.VOB"}));
    QCOMPARE(c.list()->items(), (QStringList{folder / "A/vts_01_1.vob", folder / "A/VTS_01_2.VOB",
                                             folder / "A/VTS_01_2.VOB", folder / "B/VTS_01_3.VOB"}));
    QCOMPARE(c.text("Text2")->text(), folder / "A");
    QVERIFY(c.drop(QStringList{folder / "B/VTS_01_3.VOB"}));
    QCOMPARE(c.text("Text2")->text(), folder / "B");
    QCOMPARE(c.text("Text1")->text(), QStringLiteral("output.mpg"));
    QVERIFY(c.host.messages.isEmpty());
}

// Ctrl+V pastes the files copied in a file manager and Insert opens a file
// dialog; either lists the files as a drop would.
void tst_CombinerWindow::filesByKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");

    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Insert") << int(Qt::Key_Insert) << Qt::KeyboardModifiers();
}

void tst_CombinerWindow::filesByKeyboard()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);

    TempFolder folder{"VTS_01_2.VOB", "VTS_01_1.VOB"};
    Combiner c;
    const QStringList files{folder / "VTS_01_2.VOB", folder / "VTS_01_1.VOB"};
    QByteArray copied = "copy";
    for (const QUrl &url : fileUrls(files))
        copied += '\n' + url.toEncoded();
    c.host.clipboard = {{"x-special/gnome-copied-files", copied}};
    c.host.pickedFiles = files;
    c.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&c.window));
    c.list()->setFocus();
    QTest::keyClick(c.list(), Qt::Key(key), modifiers);
    QCOMPARE(c.list()->items(), (QStringList{folder / "VTS_01_1.VOB", folder / "VTS_01_2.VOB"}));
    QCOMPARE(c.text("Text2")->text(), folder.path());
    QVERIFY(c.host.messages.isEmpty());
}

void tst_CombinerWindow::dropWithoutFilesChangesNoText()
{
    TempFolder folder{"Sub/"};
    Combiner c;
    c.text("Text2")->setText(QStringLiteral("/kept"));

    QVERIFY(c.drop(QList<QUrl>{QUrl::fromLocalFile(folder / "Sub"), QUrl::fromLocalFile(folder / "gone.vob"),
                               QUrl(QStringLiteral("https://example.org/a.vob"))}));
    QCOMPARE(c.list()->count(), 0);
    QCOMPARE(c.text("Text2")->text(), QStringLiteral("/kept"));
    QCOMPARE(c.host.messages.size(), 1);
}

void tst_CombinerWindow::clearKeepsTexts()
{
    TempFolder folder{"a.vob", "b.vob"};
    Combiner c;
    c.click("Command4");
    QCOMPARE(c.list()->count(), 0);

    QVERIFY(c.drop(QStringList{folder / "a.vob", folder / "b.vob"}));
    c.text("Text1")->setText(QStringLiteral("joined.mpg"));
    c.click("Command4");
    QCOMPARE(c.list()->count(), 0);
    QCOMPARE(c.text("Text1")->text(), QStringLiteral("joined.mpg"));
    QCOMPARE(c.text("Text2")->text(), folder.path());
}

void tst_CombinerWindow::combineWritesScript()
{
    TempFolder folder{"VTS_01_2.VOB", "VTS_01_1.VOB"};
    Combiner c;
    c.host.clockReadings = {QStringLiteral("14:25:30")};
    QVERIFY(c.drop(QStringList{folder / "VTS_01_2.VOB", folder / "VTS_01_1.VOB"}));
    c.text("Text1")->setText(QStringLiteral("whole film.mpg"));

    c.click("Command5");

    const QString script = folder / "combinefiles142530.sh";
    QCOMPARE(c.host.messages, QStringList{"Now you are ready to go process " + script});
    const QString q = folder.path();
    QCOMPARE(bytesOf(script), ("#!/bin/sh\ncd -- '" + q + "' || exit 1\ncat -- '" + q + "/VTS_01_1.VOB' '" + q
                               + "/VTS_01_2.VOB' > 'whole film.mpg'\n").toUtf8());
    QVERIFY(QFile::permissions(script) & QFileDevice::ExeOwner);
    QCOMPARE(c.list()->count(), 0);
    QCOMPARE(c.text("Text1")->text(), QStringLiteral("whole film.mpg"));
    QCOMPARE(c.text("Text2")->text(), folder.path());
}

void tst_CombinerWindow::createPdeWritesList()
{
    TempFolder folder{"b,2.mpg", "A 1.mpg", "myPocketDivXbatch.pde"};
    Combiner c;
    QVERIFY(c.drop(QStringList{folder / "b,2.mpg", folder / "A 1.mpg"}));

    c.click("Command1");

    const QString list = folder / "myPocketDivXbatch.pde";
    QCOMPARE(c.host.messages, QStringList{"Now you are ready to go process " + list});
    const QString a = folder / "A 1.mpg", b = folder / "b,2.mpg";
    QCOMPARE(bytesOf(list), (a + ',' + a + ".AVI," + Settings + "\r\n" + b + ',' + b + ".AVI," + Settings + "\r\n")
                                .toUtf8());
    QCOMPARE(c.list()->count(), 0);
    QCOMPARE(c.host.clockReads, 0);

    // A second run replaces the list; nothing is appended.
    QVERIFY(c.drop(QStringList{a}));
    c.click("Command1");
    QCOMPARE(bytesOf(list), (a + ',' + a + ".AVI," + Settings + "\r\n").toUtf8());
}

void tst_CombinerWindow::emptyListWritesNothing()
{
    TempFolder folder;
    Combiner c;
    c.text("Text2")->setText(folder.path());
    c.click("Command5");
    c.click("Command1");
    QCOMPARE(folder.names(), QStringList());
    QCOMPARE(c.host.messages, QStringList());
    QCOMPARE(c.host.clockReads, 0);
}

// The batch name's digits come from one reading, never from readings taken
// on both sides of a change of hour.
void tst_CombinerWindow::oneClockReading()
{
    TempFolder folder{"a.vob"};
    Combiner c;
    c.host.clockReadings = {QStringLiteral("12:59:59"), QStringLiteral("13:00:00"), QStringLiteral("13:00:01")};
    QVERIFY(c.drop(QStringList{folder / "a.vob"}));
    c.click("Command5");
    QCOMPARE(c.host.clockReads, 1);
    QCOMPARE(folder.names(), (QStringList{"a.vob", "combinefiles125959.sh"}));
}

void tst_CombinerWindow::refusedListIsKept()
{
    TempFolder folder{"a.mpg", "b\nc.mpg"};
    Combiner c;
    QVERIFY(c.drop(QStringList{folder / "a.mpg", folder / "b\nc.mpg"}));

    c.click("Command1");

    QCOMPARE(c.host.messages.size(), 1);
    QVERIFY(c.host.messages.first().contains(folder / "b\nc.mpg"));
    QCOMPARE(folder.names(), (QStringList{"a.mpg", "b\nc.mpg"}));
    QCOMPARE(c.list()->count(), 2);
}

void tst_CombinerWindow::failedWriteIsReported_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("failure");
    for (const QString button : {"Command5", "Command1"}) {
        for (const QString failure : {"refused by the host", "missing folder", "read-only folder"})
            QTest::addRow("%s, %s", qPrintable(button), qPrintable(failure)) << button << failure;
    }
}

// Nothing is lost when the file cannot be created: the user is told where
// and why, and the list stays for another try.
void tst_CombinerWindow::failedWriteIsReported()
{
    QFETCH(QString, button);
    QFETCH(QString, failure);

    TempFolder folder{"a.vob", "Locked/"};
    Combiner c;
    QVERIFY(c.drop(QStringList{folder / "a.vob"}));
    QString reason;
    if (failure == "refused by the host") {
        c.host.failWhen = [](const QString &operation, const QString &) { return operation == "writeTextFile"; };
        reason = QStringLiteral("Permission denied");
    } else if (failure == "missing folder") {
        c.text("Text2")->setText(folder / "Gone");
        reason = QStringLiteral("No such file or directory");
    } else {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QVERIFY(QFile::setPermissions(folder / "Locked", QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        c.text("Text2")->setText(folder / "Locked");
        reason = QStringLiteral("Permission denied");
    }

    c.click(qPrintable(button));

    QCOMPARE(c.host.messages.size(), 1);
    const QString message = c.host.messages.first();
    const QString written = button == "Command5" ? QStringLiteral("combinefiles123456.sh")
                                                 : QStringLiteral("myPocketDivXbatch.pde");
    QVERIFY2(message.contains(c.text("Text2")->text() + '/' + written), qPrintable(message));
    QVERIFY2(message.endsWith(": " + reason), qPrintable(message));
    QCOMPARE(c.list()->items(), QStringList{folder / "a.vob"});
    QCOMPARE(folder.names(), (QStringList{"Locked", "a.vob"}));
    QCOMPARE(folder.names("Locked"), QStringList());
}

// The written script, run by sh, joins the files byte for byte in list order.
void tst_CombinerWindow::scriptJoinsFilesInListOrder()
{
    TempFolder folder{"Set 1/"};
    const QStringList names{"b 2.vob", "A 1.vob", "c'3 100%.vob", "-d.vob", "\"e\" $HOME.vob"};
    QByteArray joined;
    for (int i = 0; i < names.size(); ++i)
        writeBytes(folder / ("Set 1/" + names.at(i)), QByteArray("\0\r\n\x1a\xff", 5) + QByteArray::number(i));
    // The list's order: letter case ignored.
    for (const int i : {4, 3, 1, 0, 2})
        joined += bytesOf(folder / ("Set 1/" + names.at(i)));

    Combiner c;
    QStringList dropped;
    for (const QString &name : names)
        dropped << folder / ("Set 1/" + name);
    QVERIFY(c.drop(dropped));
    c.text("Text1")->setText(QStringLiteral("Bob's film.mpg"));
    c.click("Command5");
    QCOMPARE(c.list()->count(), 0);

    QProcess sh;
    sh.setWorkingDirectory(folder.path());
    sh.start(QStringLiteral("sh"), {folder / "Set 1/combinefiles123456.sh"});
    QVERIFY(sh.waitForFinished());
    QCOMPARE(sh.exitCode(), 0);
    QCOMPARE(bytesOf(folder / "Set 1/Bob's film.mpg"), joined);
    QCOMPARE(folder.names(), QStringList{"Set 1"});
}

QTEST_MAIN(tst_CombinerWindow)
#include "tst_CombinerWindow.moc"
