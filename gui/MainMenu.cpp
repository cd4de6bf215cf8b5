#include "gui/MainMenu.h"

#include "core/host/Host.h"
#include "gui/controls/WindowLayout.h"
#include "gui/combiner/CombineFilesUsingCMD.h"
#include "gui/folderer/FolderMaker.h"
#include "gui/renamer/frmRENAMER.h"

#include <QCoreApplication>
#include <QIcon>
#include <QPushButton>

namespace {

const char *const RenamerHelp =
    "Renamer is a unique powerful tool.  It allows you to put DOTS in the FROM (change this) and "
    "TO (rename to) boxes to rename ALL files in a folder to upper case.  All files are renamed to "
    "upper case for better sorting in Linix  You can also filter the view and preview changes "
    "before they occur.  The only downside is, if you try to rename a file to an EXISTING filename "
    "it will not warn you";

const char *const CombinerHelp =
    "Filecombiner is a unique tool.  It allows you to DRAG a VOB set directly from windows explorer "
    "and it will create a CMD (command batch) file in that same folder.  Running that batch will "
    "simply perform a Copy /B command which will combine all files into an output.mpg or whatever "
    "you change the destination filename to.  You can then also use the alternate button to drag "
    "MPG or other source files to the window and use the create PDE file to create a batch for "
    "which PocketDivX can load and process all MPG to AVI conversions as well.";

const char *const FoldererHelp =
    "Filefolderer is another unique tool.  When I saw how Thumgen and tools like that required each "
    "file be placed into its own folder so all the Thumbnail, Poster and InfoSheet images could be "
    "foldered together with it I decided to make a utility that would do this for me.  Simply drag "
    "a set of video files and this will process them by dropping the extension AVI, DIVX, TS, MPG "
    "whatever and create a folder by that name and then stick (move) that video file into it's "
    "folder for you.  Nice time saver for me.";

} // namespace

MainMenu::MainMenu(Host &host) : m_host(host)
{
    using namespace WindowLayout;
    setObjectName(QStringLiteral("MainMenu"));
    setWindowTitle(QStringLiteral("TAMSELLS FILE UTILTIES"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/mainmenu.png")));
    setFixedSize(clientSize(4560, 4410));

    const QFont buttonFont = designFont(QStringLiteral("MS Sans Serif"), 12, true);
    auto button = [&](const char *name, const QString &caption, int left, int top, int width,
                      int height) {
        auto *b = addControl<QPushButton>(this, name, left, top, width, height, caption);
        b->setFont(buttonFont);
        return b;
    };

    addLabel(this, "Label1",
             QStringLiteral("Choose a utility below or click the ? button next to each for help"),
             240, 120, 4095, 735, designFont(QStringLiteral("MS Sans Serif"), 12));
    auto *command5 = button("Command5", QStringLiteral("FILE &RENAMER"), 240, 960, 3255, 735);
    auto *command1 = button("Command1", QStringLiteral("?"), 3600, 960, 735, 735);
    auto *command2 = button("Command2", QStringLiteral("FILE &COMBINER"), 240, 1800, 3255, 735);
    auto *command6 = button("Command6", QStringLiteral("?"), 3600, 1800, 735, 735);
    auto *command3 = button("Command3", QStringLiteral("FILE &FOLDERER"), 240, 2640, 3255, 735);
    auto *command7 = button("Command7", QStringLiteral("?"), 3600, 2640, 735, 735);
    auto *command4 = button("Command4", QStringLiteral("E&XIT"), 240, 3480, 4095, 735);

    chainTabOrder({command1, command2, command3, command4, command5, command6, command7});
    nameForScreenReaders(this, {{"Command1", "Help on the file renamer"},
                                {"Command6", "Help on the file combiner"},
                                {"Command7", "Help on the file folderer"}});
    command1->setFocus();

    connect(command5, &QPushButton::clicked, this, &MainMenu::Command5_Click);
    connect(command1, &QPushButton::clicked, this, &MainMenu::Command1_Click);
    connect(command2, &QPushButton::clicked, this, &MainMenu::Command2_Click);
    connect(command6, &QPushButton::clicked, this, &MainMenu::Command6_Click);
    connect(command3, &QPushButton::clicked, this, &MainMenu::Command3_Click);
    connect(command7, &QPushButton::clicked, this, &MainMenu::Command7_Click);
    connect(command4, &QPushButton::clicked, this, &MainMenu::Command4_Click);
}

template <class Tool>
void MainMenu::openTool(QPointer<Tool> &tool)
{
    if (!tool)
        tool = new Tool(m_host, this);
    tool->show();
    tool->activateWindow();
    hide();
}

void MainMenu::Command5_Click()
{
    openTool(m_renamer);
}

void MainMenu::openRenamerIn(const QString &folder)
{
    openTool(m_renamer);
    m_renamer->showFolder(folder);
}

void MainMenu::Command2_Click()
{
    openTool(m_combiner);
}

void MainMenu::Command3_Click()
{
    openTool(m_folderer);
}

void MainMenu::Command1_Click()
{
    m_host.ShowMessage(QString::fromLatin1(RenamerHelp));
}

void MainMenu::Command6_Click()
{
    m_host.ShowMessage(QString::fromLatin1(CombinerHelp));
}

void MainMenu::Command7_Click()
{
    m_host.ShowMessage(QString::fromLatin1(FoldererHelp));
}

void MainMenu::Command4_Click()
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
