// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"
#include "TestFileSystem.h"

#include "core/combiner/CombinerFiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString Settings = QStringLiteral("145-44100-160- -Stereo-1245-25.000-0x10000002-0-0-36-416:320- - "
                                        "-0,720x400,0;0;0;0;0;0;0;0;0;0;0;0;0;25.000");

} // namespace

class tst_CombinerFiles : public QObject {
    Q_OBJECT
private slots:
    void combineBatch_data();
    void combineBatch();
    void cmdBatchBytesOnDisk();
    void batchRefusals_data();
    void batchRefusals();
    void conversionList_data();
    void conversionList();
};

void tst_CombinerFiles::combineBatch_data()
{
    QTest::addColumn<ScriptDialect>("dialect");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("timeText");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("lines");

    const auto Cmd = ScriptDialect::Cmd;
    const auto Sh = ScriptDialect::Sh;

    QTest::newRow("cmd two entries") << Cmd << QStringList{R"(C:\V\A.VOB)", R"(C:\V\B.VOB)"} << "output.mpg"
                                     << R"(C:\V)"
                                     << "14:25:30"
                                     << R"(C:\V\combinefiles142530.cmd)"
                                     << QStringList{"C:", R"(CD "C:\V")",
                                                    R"(copy /b "C:\V\A.VOB"+"C:\V\B.VOB" "output.mpg")"};
    QTest::newRow("cmd one entry has no plus")
        << Cmd << QStringList{R"(C:\V\A.VOB)"} << "out.mpg"
        << R"(C:\V)"
        << "09:05:01"
        << R"(C:\V\combinefiles090501.cmd)"
        << QStringList{"C:", R"(CD "C:\V")", R"(copy /b "C:\V\A.VOB" "out.mpg")"};
    QTest::newRow("cmd drive root keeps one backslash")
        << Cmd << QStringList{R"(c:\A.VOB)", R"(c:\B.VOB)", R"(c:\C.VOB)"} << "output.mpg"
        << R"(c:\)"
        << "00:00:00"
        << R"(c:\combinefiles000000.cmd)"
        << QStringList{"c:", R"(CD "c:\")", R"(copy /b "c:\A.VOB"+"c:\B.VOB"+"c:\C.VOB" "output.mpg")"};
    QTest::newRow("cmd folder with spaces")
        << Cmd << QStringList{R"(D:\Rips\Set 1\VTS_01_1.VOB)"} << "whole set.mpg"
        << R"(D:\Rips\Set 1)"
        << "23:59:59"
        << R"(D:\Rips\Set 1\combinefiles235959.cmd)"
        << QStringList{"D:", R"(CD "D:\Rips\Set 1")",
                       R"(copy /b "D:\Rips\Set 1\VTS_01_1.VOB" "whole set.mpg")"};
    QTest::newRow("cmd doubles percent")
        << Cmd << QStringList{R"(C:\100%\a%PATH%.vob)", R"(C:\100%\b,c.vob)"} << "50%.mpg"
        << R"(C:\100%)"
        << "12:00:00"
        << R"(C:\100%\combinefiles120000.cmd)"
        << QStringList{"C:", R"(CD "C:\100%%")",
                       R"(copy /b "C:\100%%\a%%PATH%%.vob"+"C:\100%%\b,c.vob" "50%%.mpg")"};
    QTest::newRow("cmd percent in the drive characters")
        << Cmd << QStringList{R"(%x\a.vob)"} << "o.mpg"
        << R"(%x)"
        << "12:00:00"
        << R"(%x\combinefiles120000.cmd)"
        << QStringList{"%%x", R"(CD "%%x")", R"(copy /b "%%x\a.vob" "o.mpg")"};

    QTest::newRow("sh two entries") << Sh << QStringList{"/v/A.VOB", "/v/B.VOB"} << "output.mpg"
                                    << "/v"
                                    << "14:25:30"
                                    << "/v/combinefiles142530.sh"
                                    << QStringList{"#!/bin/sh", "cd -- '/v' || exit 1",
                                                   "cat -- '/v/A.VOB' '/v/B.VOB' > 'output.mpg'"};
    QTest::newRow("sh root keeps one slash")
        << Sh << QStringList{"/A.VOB"} << "output.mpg"
        << "/"
        << "01:02:03"
        << "/combinefiles010203.sh"
        << QStringList{"#!/bin/sh", "cd -- '/' || exit 1", "cat -- '/A.VOB' > 'output.mpg'"};
    QTest::newRow("sh quotes every word, percent as it is")
        << Sh << QStringList{"/my v/it's 100%.vob", "/my v/\"x\" $HOME `y`.vob"} << "Bob's cut.mpg"
        << "/my v"
        << "10:11:12"
        << "/my v/combinefiles101112.sh"
        << QStringList{"#!/bin/sh", "cd -- '/my v' || exit 1",
                       "cat -- '/my v/it'\\''s 100%.vob' '/my v/\"x\" $HOME `y`.vob' > 'Bob'\\''s cut.mpg'"};
    QTest::newRow("sh carries a line break inside quotes")
        << Sh << QStringList{"/v/a\nb.vob"} << "o.mpg"
        << "/v"
        << "10:11:12"
        << "/v/combinefiles101112.sh"
        << QStringList{"#!/bin/sh", "cd -- '/v' || exit 1", "cat -- '/v/a\nb.vob' > 'o.mpg'"};
}

void tst_CombinerFiles::combineBatch()
{
    QFETCH(ScriptDialect, dialect);
    QFETCH(QStringList, entries);
    QFETCH(QString, destination);
    QFETCH(QString, folder);
    QFETCH(QString, timeText);
    QFETCH(QString, path);
    QFETCH(QStringList, lines);

    const PlannedTextFile batch = ::combineBatch(dialect, entries, destination, folder, timeText);
    QVERIFY2(!batch.refused(), qPrintable(batch.offending));
    QCOMPARE(batch.path, path);
    QCOMPARE(batch.lines, lines);
    QCOMPARE(batch.lineEnd, dialect == ScriptDialect::Cmd ? QStringLiteral("\r\n") : QStringLiteral("\n"));
    QCOMPARE(batch.executable, dialect == ScriptDialect::Sh);
}

// The cmd batch as the interpreter reads it: every byte, CR LF after each line.
void tst_CombinerFiles::cmdBatchBytesOnDisk()
{
    const PlannedTextFile batch = ::combineBatch(ScriptDialect::Cmd, {R"(C:\V\A.VOB)", R"(C:\V\B.VOB)"},
                                                 QStringLiteral("output.mpg"), QStringLiteral(R"(C:\V)"),
                                                 QStringLiteral("14:25:30"));
    TempFolder folder;
    TestFileSystem host;
    QVERIFY(host.writeTextFile(folder / "batch.cmd", batch.lines, batch.lineEnd, batch.executable));
    QCOMPARE(
        bytesOf(folder / "batch.cmd"),
        QByteArray("C:\r\nCD \"C:\\V\"\r\ncopy /b \"C:\\V\\A.VOB\"+\"C:\\V\\B.VOB\" \"output.mpg\"\r\n"));
}

void tst_CombinerFiles::batchRefusals_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("offending");

    const QString folder = QStringLiteral(R"(C:\V)");
    QTest::newRow("double quote in an entry") << QStringList{R"(C:\V\a.vob)", R"(C:\V\say "hi".vob)"}
                                              << "output.mpg" << folder << R"(C:\V\say "hi".vob)";
    QTest::newRow("line feed in an entry")
        << QStringList{"C:\\V\\a\nb.vob"} << "output.mpg" << folder << "C:\\V\\a\nb.vob";
    QTest::newRow("carriage return in an entry")
        << QStringList{"C:\\V\\a\rb.vob"} << "output.mpg" << folder << "C:\\V\\a\rb.vob";
    QTest::newRow("double quote in the destination")
        << QStringList{R"(C:\V\a.vob)"} << R"(out" & del *.* & ".mpg)" << folder
        << R"(out" & del *.* & ".mpg)";
    QTest::newRow("line break in the folder") << QStringList{R"(C:\V\a.vob)"} << "output.mpg"
                                              << "C:\\V\ndel x"
                                              << "C:\\V\ndel x";
}

// The cmd dialect refuses what no batch line can carry; single quotes carry
// all of it, so the sh dialect writes the same inputs.
void tst_CombinerFiles::batchRefusals()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, destination);
    QFETCH(QString, folder);
    QFETCH(QString, offending);

    const PlannedTextFile cmd = ::combineBatch(ScriptDialect::Cmd, entries, destination, folder,
                                               QStringLiteral("12:00:00"));
    QVERIFY(cmd.refused());
    QCOMPARE(cmd.offending, offending);
    QVERIFY(cmd.lines.isEmpty());

    const PlannedTextFile sh = ::combineBatch(ScriptDialect::Sh, entries, destination, folder,
                                              QStringLiteral("12:00:00"));
    QVERIFY(!sh.refused());
    QCOMPARE(sh.lines.size(), 3);
}

void tst_CombinerFiles::conversionList_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("offending"); // empty when the list is written

    const QChar sep = QDir::separator();
    QTest::newRow("one entry, one line, separator always added")
        << QStringList{"/v/clip.mpg"} << "/v/" << QStringLiteral("/v/%1myPocketDivXbatch.pde").arg(sep)
        << QStringList{"/v/clip.mpg,/v/clip.mpg.AVI," + Settings} << QString();
    QTest::newRow("line break refused")
        << QStringList{"/v/a.mpg", "/v/b\nc.mpg"} << "/v" << QString() << QStringList() << "/v/b\nc.mpg";
    QTest::newRow("carriage return refused")
        << QStringList{"/v/b\rc.mpg"} << "/v" << QString() << QStringList() << "/v/b\rc.mpg";
}

void tst_CombinerFiles::conversionList()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QFETCH(QStringList, lines);
    QFETCH(QString, offending);

    const PlannedTextFile list = ::conversionList(entries, folder);
    if (!offending.isEmpty()) {
        QVERIFY(list.refused());
        QCOMPARE(list.offending, offending);
        QVERIFY(list.lines.isEmpty());
        return;
    }
    QVERIFY(!list.refused());
    QCOMPARE(list.path, path);
    QCOMPARE(list.lines, lines);
    QCOMPARE(list.lineEnd, QStringLiteral("\r\n"));
    QVERIFY(!list.executable);
}

QTEST_MAIN(tst_CombinerFiles)
#include "tst_CombinerFiles.moc"
