// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHost.h"

#include "gui/MainMenu.h"
#include "gui/MainMenuControls.h"
#include "gui/combiner/CombinerControls.h"
#include "gui/folderer/FoldererControls.h"
#include "gui/renamer/RenamerControls.h"

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QWidget *topLevel(const QString &name)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == name)
            return window;
    return nullptr;
}

// Lets windows that were closed be deleted.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void click(QWidget *window, const char *button)
{
    auto *b = window->findChild<QPushButton *>(QLatin1String(button));
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

void showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace

class tst_MainMenu : public QObject {
    Q_OBJECT
private slots:
    void looksAsDesigned()
    {
        TestHost host;
        MainMenu menu(host, host);
        QCOMPARE(menu.objectName(), QLatin1String(MainMenuControls::window));
        QCOMPARE(menu.windowTitle(), QString("TAMSELLS FILE UTILTIES"));
        QCOMPARE(menu.size(), QSize(304, 294));
        const QList<std::pair<const char *, QString>> captions{{MainMenuControls::renamer, "FILE &RENAMER"},
                                                               {MainMenuControls::renamerHelp, "?"},
                                                               {MainMenuControls::combiner, "FILE &COMBINER"},
                                                               {MainMenuControls::combinerHelp, "?"},
                                                               {MainMenuControls::folderer, "FILE &FOLDERER"},
                                                               {MainMenuControls::foldererHelp, "?"},
                                                               {MainMenuControls::exit, "E&XIT"}};
        for (const auto &[name, caption] : captions)
            QCOMPARE(menu.findChild<QPushButton *>(name)->text(), caption);
        QCOMPARE(menu.findChild<QPushButton *>(MainMenuControls::combiner)->geometry(),
                 QRect(16, 120, 217, 49));

        // Tab order follows the tab indexes: 0 "?" renamer, then combiner,
        // folderer, exit, renamer, and the other two "?".
        menu.show();
        QWidget *focus = menu.findChild<QWidget *>(MainMenuControls::renamerHelp);
        QStringList order;
        for (int i = 0; i < 7; ++i, focus = focus->nextInFocusChain())
            order << focus->objectName();
        QCOMPARE(order,
                 (QStringList{MainMenuControls::renamerHelp, MainMenuControls::combiner,
                              MainMenuControls::folderer, MainMenuControls::exit, MainMenuControls::renamer,
                              MainMenuControls::combinerHelp, MainMenuControls::foldererHelp}));
    }

    void helpTexts_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("renamer")
            << QString(MainMenuControls::renamerHelp)
            << QString("Renamer is a unique powerful tool.  It allows you to put DOTS in the FROM (chang"
                       "e this) and TO (rename to) boxes to rename ALL files in a folder to upper case. "
                       " All files are renamed to upper case for better sorting in Linix  You can also f"
                       "ilter the view and preview changes before they occur.  The only downside is, if "
                       "you try to rename a file to an EXISTING filename it will not warn you");
        QTest::newRow("combiner")
            << QString(MainMenuControls::combinerHelp)
            << QString("Filecombiner is a unique tool.  It allows you to DRAG a VOB set directly from wi"
                       "ndows explorer and it will create a CMD (command batch) file in that same folder"
                       ".  Running that batch will simply perform a Copy /B command which will combine a"
                       "ll files into an output.mpg or whatever you change the destination filename to. "
                       " You can then also use the alternate button to drag MPG or other source files to"
                       " the window and use the create PDE file to create a batch for which PocketDivX c"
                       "an load and process all MPG to AVI conversions as well.");
        QTest::newRow("folderer")
            << QString(MainMenuControls::foldererHelp)
            << QString("Filefolderer is another unique tool.  When I saw how Thumgen and tools like that"
                       " required each file be placed into its own folder so all the Thumbnail, Poster a"
                       "nd InfoSheet images could be foldered together with it I decided to make a utili"
                       "ty that would do this for me.  Simply drag a set of video files and this will pr"
                       "ocess them by dropping the extension AVI, DIVX, TS, MPG whatever and create a fo"
                       "lder by that name and then stick (move) that video file into it's folder for you"
                       ".  Nice time saver for me.");
    }
    void helpTexts()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        TestHost host;
        MainMenu menu(host, host);
        click(&menu, button.toLatin1());
        QCOMPARE(host.messages, QStringList{text});
    }

    void toolsOpenAndComeBack_data()
    {
        QTest::addColumn<Qt::Key>("accessKey");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("exitButton");
        const auto row = [](const char *tool, Qt::Key accessKey, const char *window, const char *exitButton) {
            QTest::newRow(tool) << accessKey << QString(window) << QString(exitButton);
        };
        row("renamer", Qt::Key_R, RenamerControls::window, RenamerControls::exit);
        row("combiner", Qt::Key_C, CombinerControls::window, CombinerControls::exit);
        row("folderer", Qt::Key_F, FoldererControls::window, FoldererControls::exit);
    }
    void toolsOpenAndComeBack()
    {
        QFETCH(Qt::Key, accessKey);
        QFETCH(QString, tool);
        QFETCH(QString, exitButton);
        TestHost host;
        MainMenu menu(host, host);
        showActive(&menu);

        QTest::keyClick(&menu, accessKey, Qt::AltModifier);
        // An access key presses its button the way a click does, a moment later.
        QTRY_VERIFY(topLevel(tool));
        QPointer<QWidget> first = topLevel(tool);
        QVERIFY(first->isVisible());
        QVERIFY(!menu.isVisible());

        // Its exit button closes it and brings the menu back.
        click(first, exitButton.toLatin1());
        settle();
        QVERIFY(!first);
        QVERIFY(menu.isVisible());

        // Opened again it is a fresh window; its close box brings the menu back too.
        showActive(&menu);
        QTest::keyClick(&menu, accessKey, Qt::AltModifier);
        QTRY_VERIFY(topLevel(tool));
        QPointer<QWidget> second = topLevel(tool);
        QVERIFY(!menu.isVisible());
        second->close();
        settle();
        QVERIFY(!second);
        QVERIFY(menu.isVisible());
        QVERIFY(host.messages.isEmpty());
    }

    // Last: ending the program stops every event loop of the application.
    void exitEndsTheProgram()
    {
        TestHost host;
        MainMenu menu(host, host);
        showActive(&menu);
        QTest::keyClick(&menu, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(topLevel(FoldererControls::window));
        QPointer<QWidget> tool = topLevel(FoldererControls::window);
        // Back on the menu, Alt+X presses E&XIT inside a running event loop.
        tool->close();
        showActive(&menu);

        QEventLoop loop;
        bool timedOut = false;
        QTimer::singleShot(0, &menu, [&] { QTest::keyClick(&menu, Qt::Key_X, Qt::AltModifier); });
        QTimer::singleShot(5000, &loop, [&] {
            timedOut = true;
            loop.quit();
        });
        loop.exec();
        QVERIFY(!timedOut);
        settle();
        QVERIFY(!tool);
        QVERIFY(!menu.isVisible());
        QVERIFY(host.messages.isEmpty());
    }
};

QTEST_MAIN(tst_MainMenu)
#include "tst_MainMenu.moc"
