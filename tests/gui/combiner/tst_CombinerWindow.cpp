// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"
#include "WindowFixture.h"

#include "core/base/Paths.h"

#include <QFile>
#include <QProcess>

#include <unistd.h>

namespace {

const QString Settings = QStringLiteral("145-44100-160- -Stereo-1245-25.000-0x10000002-0-0-36-416:320- - "
                                        "-0,720x400,0;0;0;0;0;0;0;0;0;0;0;0;0;25.000");

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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
    controlColumns();
    const auto row = controlRow;
    row(CombinerControls::destinationLabel, "QLabel", "Destination Filename", {120, 240, 1695, 375});
    row(CombinerControls::destination, "QLineEdit", "output.mpg", {1920, 240, 5775, 285});
    row(CombinerControls::folderLabel, "QLabel", "Default Directory", {120, 600, 1695, 375});
    row(CombinerControls::folder, "QLineEdit", Paths::hostRoot(), {1920, 600, 5775, 285});
    row(CombinerControls::filesLabel, "QLabel",
        "Drag MPG or VOB Files from Explorer and Drop onto the window list below", {120, 960, 6375, 255});
    row(CombinerControls::clear, "QPushButton", "Clea&r", {6720, 960, 975, 375});
    row(CombinerControls::files, "ListBox", "", {120, 1440, 7575, 5715});
    row(CombinerControls::createPde, "QPushButton", "&Create PDE", {5640, 7200, 975, 375});
    row(CombinerControls::combine, "QPushButton", "C&ombine", {4590, 7200, 975, 375});
    row(CombinerControls::exit, "QPushButton", "E&xit", {6720, 7200, 975, 375});
}

void tst_CombinerWindow::controls()
{
    TestHost host;
    Combiner c(host);
    QCOMPARE(c.window->objectName(), QLatin1String(CombinerControls::window));
    QCOMPARE(c.window->windowTitle(),
             QStringLiteral("Create PocketDivX PDE or Combine VOBS to MPG CMD Batch"));
    compareControl(c.window);
}

// Tab walks the controls that take the focus in the order of their tab indexes.
void tst_CombinerWindow::tabOrder()
{
    TestHost host;
    Combiner c(host);
    QStringList order;
    QWidget *w = c.control(CombinerControls::destination);
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != c.control(CombinerControls::destination));
    QCOMPARE(order,
             (QStringList{CombinerControls::destination, CombinerControls::files, CombinerControls::createPde,
                          CombinerControls::exit, CombinerControls::folder, CombinerControls::clear,
                          CombinerControls::combine}));
}

void tst_CombinerWindow::dropsAddFilesInOrder()
{
    TempFolder folder{"A/", "A/VTS_01_2.VOB", "A/vts_01_1.vob", "B/", "B/VTS_01_3.VOB"};
    TestHost host;
    Combiner c(host);

    QVERIFY(c.drop(CombinerControls::files, {folder / "A/VTS_01_2.VOB", folder / "A/vts_01_1.vob"}));
    QCOMPARE(c.files()->items(), (QStringList{folder / "A/vts_01_1.vob", folder / "A/VTS_01_2.VOB"}));
    // The folder of the last file of the drop, not of the last row.
    QCOMPARE(c.text(CombinerControls::folder)->text(), folder / "A");

    QVERIFY(c.drop(CombinerControls::files, {folder / "B/VTS_01_3.VOB", folder / "A/VTS_01_2.VOB"}));
    QCOMPARE(c.files()->items(), (QStringList{folder / "A/vts_01_1.vob", folder / "A/VTS_01_2.VOB",
                                              folder / "A/VTS_01_2.VOB", folder / "B/VTS_01_3.VOB"}));
    QCOMPARE(c.text(CombinerControls::folder)->text(), folder / "A");
    QVERIFY(c.drop(CombinerControls::files, {folder / "B/VTS_01_3.VOB"}));
    QCOMPARE(c.text(CombinerControls::folder)->text(), folder / "B");
    QCOMPARE(c.text(CombinerControls::destination)->text(), QStringLiteral("output.mpg"));
    QVERIFY(host.messages.isEmpty());
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
    TestHost host;
    Combiner c(host);
    const QStringList files{folder / "VTS_01_2.VOB", folder / "VTS_01_1.VOB"};
    QByteArray copied = "copy";
    for (const QUrl &url : fileUrls(files))
        copied += '\n' + url.toEncoded();
    host.clipboard = {{"x-special/gnome-copied-files", copied}};
    host.pickedFiles = files;
    c.window->show();
    QVERIFY(QTest::qWaitForWindowActive(c.window));
    c.files()->setFocus();
    QTest::keyClick(c.files(), Qt::Key(key), modifiers);
    QCOMPARE(c.files()->items(), (QStringList{folder / "VTS_01_1.VOB", folder / "VTS_01_2.VOB"}));
    QCOMPARE(c.text(CombinerControls::folder)->text(), folder.path());
    QVERIFY(host.messages.isEmpty());
}

void tst_CombinerWindow::dropWithoutFilesChangesNoText()
{
    TempFolder folder{"Sub/"};
    TestHost host;
    Combiner c(host);
    c.text(CombinerControls::folder)->setText(QStringLiteral("/kept"));

    QVERIFY(dropOn(c.files(), fileUrls({folder / "Sub", folder / "gone.vob"})
                                  << QUrl(QStringLiteral("https://example.org/a.vob"))));
    QCOMPARE(c.files()->count(), 0);
    QCOMPARE(c.text(CombinerControls::folder)->text(), QStringLiteral("/kept"));
    QCOMPARE(host.messages.size(), 1);
}

void tst_CombinerWindow::clearKeepsTexts()
{
    TempFolder folder{"a.vob", "b.vob"};
    TestHost host;
    Combiner c(host);
    c.click(CombinerControls::clear);
    QCOMPARE(c.files()->count(), 0);

    QVERIFY(c.drop(CombinerControls::files, {folder / "a.vob", folder / "b.vob"}));
    c.text(CombinerControls::destination)->setText(QStringLiteral("joined.mpg"));
    c.click(CombinerControls::clear);
    QCOMPARE(c.files()->count(), 0);
    QCOMPARE(c.text(CombinerControls::destination)->text(), QStringLiteral("joined.mpg"));
    QCOMPARE(c.text(CombinerControls::folder)->text(), folder.path());
}

void tst_CombinerWindow::combineWritesScript()
{
    TempFolder folder{"VTS_01_2.VOB", "VTS_01_1.VOB"};
    TestHost host;
    Combiner c(host);
    host.clockReadings = {QStringLiteral("14:25:30")};
    QVERIFY(c.drop(CombinerControls::files, {folder / "VTS_01_2.VOB", folder / "VTS_01_1.VOB"}));
    c.text(CombinerControls::destination)->setText(QStringLiteral("whole film.mpg"));

    c.click(CombinerControls::combine);

    const QString script = folder / "combinefiles142530.sh";
    QCOMPARE(host.messages, QStringList{"Now you are ready to go process " + script});
    const QString q = folder.path();
    QCOMPARE(bytesOf(script), ("#!/bin/sh\ncd -- '" + q + "' || exit 1\ncat -- '" + q + "/VTS_01_1.VOB' '" + q
                               + "/VTS_01_2.VOB' > 'whole film.mpg'\n")
                                  .toUtf8());
    QVERIFY(QFile::permissions(script) & QFileDevice::ExeOwner);
    QCOMPARE(c.files()->count(), 0);
    QCOMPARE(c.text(CombinerControls::destination)->text(), QStringLiteral("whole film.mpg"));
    QCOMPARE(c.text(CombinerControls::folder)->text(), folder.path());
}

void tst_CombinerWindow::createPdeWritesList()
{
    TempFolder folder{"b,2.mpg", "A 1.mpg", "myPocketDivXbatch.pde"};
    TestHost host;
    Combiner c(host);
    QVERIFY(c.drop(CombinerControls::files, {folder / "b,2.mpg", folder / "A 1.mpg"}));

    c.click(CombinerControls::createPde);

    const QString list = folder / "myPocketDivXbatch.pde";
    QCOMPARE(host.messages, QStringList{"Now you are ready to go process " + list});
    const QString a = folder / "A 1.mpg", b = folder / "b,2.mpg";
    QCOMPARE(
        bytesOf(list),
        (a + ',' + a + ".AVI," + Settings + "\r\n" + b + ',' + b + ".AVI," + Settings + "\r\n").toUtf8());
    QCOMPARE(c.files()->count(), 0);
    QCOMPARE(host.clockReads, 0);

    // A second run replaces the list; nothing is appended.
    QVERIFY(c.drop(CombinerControls::files, {a}));
    c.click(CombinerControls::createPde);
    QCOMPARE(bytesOf(list), (a + ',' + a + ".AVI," + Settings + "\r\n").toUtf8());
}

void tst_CombinerWindow::emptyListWritesNothing()
{
    TempFolder folder;
    TestHost host;
    Combiner c(host);
    c.text(CombinerControls::folder)->setText(folder.path());
    c.click(CombinerControls::combine);
    c.click(CombinerControls::createPde);
    QCOMPARE(folder.names(), QStringList());
    QCOMPARE(host.messages, QStringList());
    QCOMPARE(host.clockReads, 0);
}

// The batch name's digits come from one reading, never from readings taken
// on both sides of a change of hour.
void tst_CombinerWindow::oneClockReading()
{
    TempFolder folder{"a.vob"};
    TestHost host;
    Combiner c(host);
    host.clockReadings = {QStringLiteral("12:59:59"), QStringLiteral("13:00:00"), QStringLiteral("13:00:01")};
    QVERIFY(c.drop(CombinerControls::files, {folder / "a.vob"}));
    c.click(CombinerControls::combine);
    QCOMPARE(host.clockReads, 1);
    QCOMPARE(folder.names(), (QStringList{"a.vob", "combinefiles125959.sh"}));
}

void tst_CombinerWindow::refusedListIsKept()
{
    TempFolder folder{"a.mpg", "b\nc.mpg"};
    TestHost host;
    Combiner c(host);
    QVERIFY(c.drop(CombinerControls::files, {folder / "a.mpg", folder / "b\nc.mpg"}));

    c.click(CombinerControls::createPde);

    QCOMPARE(host.messages.size(), 1);
    QVERIFY(host.messages.first().contains(folder / "b\nc.mpg"));
    QCOMPARE(folder.names(), (QStringList{"a.mpg", "b\nc.mpg"}));
    QCOMPARE(c.files()->count(), 2);
}

void tst_CombinerWindow::failedWriteIsReported_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("failure");
    for (const QString button : {CombinerControls::combine, CombinerControls::createPde}) {
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
    TestHost host;
    Combiner c(host);
    QVERIFY(c.drop(CombinerControls::files, {folder / "a.vob"}));
    QString reason;
    if (failure == "refused by the host") {
        host.failWhen = [](const QString &operation, const QString &) {
            return operation == "writeTextFile";
        };
        reason = QStringLiteral("Permission denied");
    } else if (failure == "missing folder") {
        c.text(CombinerControls::folder)->setText(folder / "Gone");
        reason = QStringLiteral("No such file or directory");
    } else {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QVERIFY(QFile::setPermissions(folder / "Locked", QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        c.text(CombinerControls::folder)->setText(folder / "Locked");
        reason = QStringLiteral("Permission denied");
    }

    c.click(qPrintable(button));

    QCOMPARE(host.messages.size(), 1);
    const QString message = host.messages.first();
    const QString written = button == QLatin1String(CombinerControls::combine)
                                ? QStringLiteral("combinefiles123456.sh")
                                : QStringLiteral("myPocketDivXbatch.pde");
    QVERIFY2(message.contains(c.text(CombinerControls::folder)->text() + '/' + written), qPrintable(message));
    QVERIFY2(message.endsWith(": " + reason), qPrintable(message));
    QCOMPARE(c.files()->items(), QStringList{folder / "a.vob"});
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
        writeBytes(folder / ("Set 1/" + names.at(i)),
                   QByteArray("\0\r\n\x1a\xff", 5) + QByteArray::number(i));
    // The list's order: letter case ignored.
    for (const int i : {4, 3, 1, 0, 2})
        joined += bytesOf(folder / ("Set 1/" + names.at(i)));

    TestHost host;
    Combiner c(host);
    QStringList dropped;
    for (const QString &name : names)
        dropped << folder / ("Set 1/" + name);
    QVERIFY(c.drop(CombinerControls::files, dropped));
    c.text(CombinerControls::destination)->setText(QStringLiteral("Bob's film.mpg"));
    c.click(CombinerControls::combine);
    QCOMPARE(c.files()->count(), 0);

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
