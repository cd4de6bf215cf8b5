// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/FileActions.h"

#include "core/host/FileSystem.h"
#include "core/base/Paths.h"

#include <QDir>
#include <QTest>

using namespace FileActions;

namespace {

// A path written with "/" in the host's own form.
QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

#ifdef Q_OS_WIN
const QString Player = QStringLiteral(R"(C:\Program Files\VideoLAN\VLC\vlc.exe)");
#else
const QString Player = QStringLiteral("vlc");
#endif

} // namespace

class tst_FileActions : public QObject {
    Q_OBJECT
private slots:
    void action_data();
    void action();
    void player_data();
    void player();
    void converter_data();
    void converter();
};

void tst_FileActions::action_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<Action>("expected");
    QTest::newRow("video") << "Film.avi" << Action::Play;
    QTest::newRow("e-book") << "My Book.lit" << Action::Convert;
    QTest::newRow("e-book in upper case") << "BOOK.LIT" << Action::Convert;
    QTest::newRow("e-book in mixed case") << "b.LiT" << Action::Convert;
    QTest::newRow("four characters") << "a.b" << Action::Nothing;
    QTest::newRow("exactly four") << ".lit" << Action::Nothing;
    QTest::newRow("empty") << "" << Action::Nothing;
    QTest::newRow("five characters") << "x.lit" << Action::Convert;
    QTest::newRow("lit not at the end") << "a.lit.avi" << Action::Play;
    QTest::newRow("trailing blank hides .lit") << "book.lit " << Action::Play;
}

void tst_FileActions::action()
{
    QFETCH(QString, entry);
    QFETCH(Action, expected);
    QCOMPARE(actionFor(entry), expected);
}

void tst_FileActions::player_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("argument");
    QTest::newRow("plain") << native("/Movies") << "Film.avi" << native("/Movies/Film.avi");
    QTest::newRow("blanks around stay")
        << native("/Movies") << "  My Film.avi " << native("/Movies/  My Film.avi ");
    QTest::newRow("quote and dollar stay as they are")
        << native("/Movies") << R"(Say "Hi" $HOME.avi)" << native(R"(/Movies/Say "Hi" $HOME.avi)");
    QTest::newRow("tab is part of the name") << native("/Movies") << "a.avi\t" << native("/Movies/a.avi\t");
    QTest::newRow("root") << Paths::hostRoot() << "Film.avi"
                          << Paths::hostRoot() + QDir::separator() + "Film.avi";
}

void tst_FileActions::player()
{
    QFETCH(QString, folder);
    QFETCH(QString, entry);
    QFETCH(QString, argument);
    const ProgramCall call = playerCall(folder, entry);
    QCOMPARE(call.program, Player);
    QCOMPARE(call.arguments, QStringList{argument});
}

void tst_FileActions::converter_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::newRow("blank in the name") << native("/Books") << "My Book.lit" << native("/Books/My Book.lit")
                                       << native("/Books/My_Book_html/");
    QTest::newRow("upper-case extension")
        << native("/Books") << "Novel.LIT" << native("/Books/Novel.LIT") << native("/Books/Novel_html/");
    QTest::newRow("blanks around") << native("/Books") << " A  B.lit" << native("/Books/ A  B.lit")
                                   << native("/Books/_A__B_html/");
    QTest::newRow("root") << Paths::hostRoot() << "Book.lit"
                          << Paths::hostRoot() + QDir::separator() + "Book.lit"
                          << Paths::hostRoot() + QDir::separator() + "Book_html" + QDir::separator();
}

void tst_FileActions::converter()
{
    QFETCH(QString, folder);
    QFETCH(QString, entry);
    QFETCH(QString, input);
    QFETCH(QString, output);
    const ProgramCall call = converterCall(folder, entry);
    QCOMPARE(call.program, QStringLiteral("clit"));
    QCOMPARE(call.arguments, (QStringList{input, output}));
}

QTEST_GUILESS_MAIN(tst_FileActions)
#include "tst_FileActions.moc"
