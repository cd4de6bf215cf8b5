#include "gui/combiner/CombineFilesUsingCMD.h"

#include "core/host/Host.h"
#include "core/base/Paths.h"
#include "gui/controls/FileDrop.h"
#include "gui/controls/ListBox.h"
#include "gui/controls/WindowLayout.h"
#include "core/combiner/CombinerFiles.h"

#include <QLineEdit>
#include <QPushButton>

CombineFilesUsingCMD::CombineFilesUsingCMD(Host &host, QWidget *mainMenu)
    : ToolWindow(host, mainMenu, QStringLiteral("CombineFilesUsingCMD"),
                 QStringLiteral("Create PocketDivX PDE or Combine VOBS to MPG CMD Batch"), QSize(7860, 7635),
                 QStringLiteral(":/icons/combiner.png"))
{
    using namespace WindowLayout;
    setFont(designFont(QStringLiteral("MS Sans Serif"), 8));

    addLabel(this, "Label1", QStringLiteral("Destination Filename"), 120, 240, 1695, 375, font());
    m_text1 = addControl<QLineEdit>(this, "Text1", 1920, 240, 5775, 285, QStringLiteral("output.mpg"));
    addLabel(this, "Label2", QStringLiteral("Default Directory"), 120, 600, 1695, 375, font());
    m_text2 = addControl<QLineEdit>(this, "Text2", 1920, 600, 5775, 285, Paths::hostRoot());
    addLabel(this, "Label3",
             QStringLiteral("Drag MPG or VOB Files from Explorer and Drop onto the window list below"),
             120, 960, 6375, 255, font());
    auto *command4 = addControl<QPushButton>(this, "Command4", 6720, 960, 975, 375, QStringLiteral("Clea&r"));
    m_list1 = addControl<ListBox>(this, "List1", 120, 1440, 7575, 5715, true);
    m_list1->setAcceptsFileDrops(true);
    auto *command1 = addControl<QPushButton>(this, "Command1", 5640, 7200, 975, 375, QStringLiteral("&Create PDE"));
    auto *command5 = addControl<QPushButton>(this, "Command5", 4590, 7200, 975, 375, QStringLiteral("C&ombine"));
    auto *command2 = addControl<QPushButton>(this, "Command2", 6720, 7200, 975, 375, QStringLiteral("E&xit"));

    chainTabOrder({m_text1, m_list1, command1, command2, m_text2, command4, command5});
    nameForScreenReaders(this, {{"Text1", "Destination Filename"},
                                {"Text2", "Default Directory"},
                                {"List1", "Dropped files"}});
    m_text1->setFocus();

    connect(m_list1, &ListBox::filesDropped, this, &CombineFilesUsingCMD::List1_OLEDragDrop);
    connect(command4, &QPushButton::clicked, this, &CombineFilesUsingCMD::Command4_Click);
    connect(command5, &QPushButton::clicked, this, &CombineFilesUsingCMD::Command5_Click);
    connect(command1, &QPushButton::clicked, this, &CombineFilesUsingCMD::Command1_Click);
    connect(command2, &QPushButton::clicked, this, &CombineFilesUsingCMD::Command2_Click);
    takeFilesByKeyboard(m_list1, m_text2, [this](const QList<QUrl> &urls) { List1_OLEDragDrop(urls); });
}

void CombineFilesUsingCMD::List1_OLEDragDrop(const QList<QUrl> &urls)
{
    const QStringList added = addDroppedFiles(m_host, *m_list1, urls);
    if (!added.isEmpty())
        m_text2->setText(m_host.ParentFolder(added.last()));
}

void CombineFilesUsingCMD::Command4_Click()
{
    m_list1->clear();
}

void CombineFilesUsingCMD::Command5_Click()
{
    if (m_list1->count() == 0)
        return;
    writeAndClear(combineBatch(hostDialect(), m_list1->items(), m_text1->text(), m_text2->text(),
                               m_host.CurrentTimeText()));
}

void CombineFilesUsingCMD::Command1_Click()
{
    if (m_list1->count() == 0)
        return;
    writeAndClear(conversionList(m_list1->items(), m_text2->text()));
}

void CombineFilesUsingCMD::Command2_Click()
{
    exitToMainMenu();
}

void CombineFilesUsingCMD::writeAndClear(const PlannedTextFile &file)
{
    if (file.refused()) {
        m_host.ShowMessage(file.refusal);
        return;
    }
    const Outcome written = m_host.WriteTextFile(file.path, file.lines, file.lineEnd, file.executable);
    if (!written) {
        m_host.ShowMessage(QStringLiteral("Could not create \"%1\": %2")
                               .arg(file.path, written.reason));
        return;
    }
    m_host.ShowMessage(QStringLiteral("Now you are ready to go process ") + file.path);
    Command4_Click();
}
