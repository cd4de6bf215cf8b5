// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MainMenu.h"

#include "gui/Desktop.h"
#include "gui/MainMenuControls.h"
#include "gui/controls/WindowLayout.h"
#include "gui/combiner/CombinerWindow.h"
#include "gui/folderer/FoldererWindow.h"
#include "gui/renamer/RenamerWindow.h"

#include <QCoreApplication>
#include <QIcon>
#include <QPushButton>

namespace {

const char *const RenamerHelp = QT_TRANSLATE_NOOP(
    "MainMenu",
    "Renamer is a unique powerful tool.  It allows you to put DOTS in the FROM (change this) and "
    "TO (rename to) boxes to rename ALL files in a folder to upper case.  All files are renamed to "
    "upper case for better sorting in Linix  You can also filter the view and preview changes "
    "before they occur.  The only downside is, if you try to rename a file to an EXISTING filename "
    "it will not warn you");

const char *const CombinerHelp = QT_TRANSLATE_NOOP(
    "MainMenu",
    "Filecombiner is a unique tool.  It allows you to DRAG a VOB set directly from windows explorer "
    "and it will create a CMD (command batch) file in that same folder.  Running that batch will "
    "simply perform a Copy /B command which will combine all files into an output.mpg or whatever "
    "you change the destination filename to.  You can then also use the alternate button to drag "
    "MPG or other source files to the window and use the create PDE file to create a batch for "
    "which PocketDivX can load and process all MPG to AVI conversions as well.");

const char *const FoldererHelp = QT_TRANSLATE_NOOP(
    "MainMenu",
    "Filefolderer is another unique tool.  When I saw how Thumgen and tools like that required each "
    "file be placed into its own folder so all the Thumbnail, Poster and InfoSheet images could be "
    "foldered together with it I decided to make a utility that would do this for me.  Simply drag "
    "a set of video files and this will process them by dropping the extension AVI, DIVX, TS, MPG "
    "whatever and create a folder by that name and then stick (move) that video file into it's "
    "folder for you.  Nice time saver for me.");

} // namespace

MainMenu::MainMenu(FileSystem &fileSystem, Desktop &desktop)
    : m_fileSystem(fileSystem)
    , m_desktop(desktop)
{
    using namespace WindowLayout;
    setObjectName(QLatin1String(MainMenuControls::window));
    setWindowTitle(tr("TAMSELLS FILE UTILTIES"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/mainmenu.png")));
    setFixedSize(clientSize(4560, 4410));

    const QFont buttonFont = designFont(QStringLiteral("MS Sans Serif"), 12, true);
    auto button = [&](const char *name, const QString &caption, int left, int top, int width, int height) {
        auto *b = addControl<QPushButton>(this, name, left, top, width, height, caption);
        b->setFont(buttonFont);
        return b;
    };

    addLabel(this, MainMenuControls::introduction,
             tr("Choose a utility below or click the ? button next to each for help"), 240, 120, 4095, 735,
             designFont(QStringLiteral("MS Sans Serif"), 12));
    auto *renamer = button(MainMenuControls::renamer, tr("FILE &RENAMER"), 240, 960, 3255, 735);
    auto *renamerHelp = button(MainMenuControls::renamerHelp, tr("?"), 3600, 960, 735, 735);
    auto *combiner = button(MainMenuControls::combiner, tr("FILE &COMBINER"), 240, 1800, 3255, 735);
    auto *combinerHelp = button(MainMenuControls::combinerHelp, tr("?"), 3600, 1800, 735, 735);
    auto *folderer = button(MainMenuControls::folderer, tr("FILE &FOLDERER"), 240, 2640, 3255, 735);
    auto *foldererHelp = button(MainMenuControls::foldererHelp, tr("?"), 3600, 2640, 735, 735);
    auto *exit = button(MainMenuControls::exit, tr("E&XIT"), 240, 3480, 4095, 735);

    chainTabOrder({renamerHelp, combiner, folderer, exit, renamer, combinerHelp, foldererHelp});
    nameForScreenReaders(this, {{MainMenuControls::renamerHelp, tr("Help on the file renamer")},
                                {MainMenuControls::combinerHelp, tr("Help on the file combiner")},
                                {MainMenuControls::foldererHelp, tr("Help on the file folderer")}});
    renamerHelp->setFocus();

    connect(renamer, &QPushButton::clicked, this, &MainMenu::openRenamer);
    connect(renamerHelp, &QPushButton::clicked, this, &MainMenu::explainRenamer);
    connect(combiner, &QPushButton::clicked, this, &MainMenu::openCombiner);
    connect(combinerHelp, &QPushButton::clicked, this, &MainMenu::explainCombiner);
    connect(folderer, &QPushButton::clicked, this, &MainMenu::openFolderer);
    connect(foldererHelp, &QPushButton::clicked, this, &MainMenu::explainFolderer);
    connect(exit, &QPushButton::clicked, this, &MainMenu::exitProgram);
}

template <class Tool>
void MainMenu::openTool(QPointer<Tool> &tool)
{
    if (!tool)
        tool = new Tool(m_fileSystem, m_desktop, this);
    tool->show();
    tool->activateWindow();
    hide();
}

void MainMenu::openRenamer()
{
    openTool(m_renamer);
}

void MainMenu::openRenamerIn(const QString &folder)
{
    openTool(m_renamer);
    m_renamer->showFolder(folder);
}

void MainMenu::openCombiner()
{
    openTool(m_combiner);
}

void MainMenu::openFolderer()
{
    openTool(m_folderer);
}

void MainMenu::explainRenamer()
{
    m_desktop.showMessage(tr(RenamerHelp));
}

void MainMenu::explainCombiner()
{
    m_desktop.showMessage(tr(CombinerHelp));
}

void MainMenu::explainFolderer()
{
    m_desktop.showMessage(tr(FoldererHelp));
}

void MainMenu::exitProgram()
{
    // Closing a tool that is not loaded does nothing.
    if (m_folderer)
        m_folderer->close();
    if (m_renamer)
        m_renamer->close();
    if (m_combiner)
        m_combiner->close();
    close();
    QCoreApplication::exit(0);
}
