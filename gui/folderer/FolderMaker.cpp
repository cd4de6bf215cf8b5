#include "gui/folderer/FolderMaker.h"

#include "core/changes/ChangeEngine.h"
#include "core/host/Host.h"
#include "core/base/Paths.h"
#include "gui/controls/FileDrop.h"
#include "gui/controls/ListBox.h"
#include "gui/controls/WindowLayout.h"
#include "core/folderer/FolderNames.h"
#include "core/folderer/MakeFolders.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

FolderMaker::FolderMaker(Host &host, QWidget *mainMenu)
    : ToolWindow(host, mainMenu, QStringLiteral("FolderMaker"),
                 QStringLiteral("Create Folders For Thumgen Processing of Video files"), QSize(14505, 7635),
                 QStringLiteral(":/icons/folderer.png"))
{
    using namespace WindowLayout;
    const QFont buttonFont = designFont(QStringLiteral("MS Sans Serif"), 9.75);
    auto button = [&](const char *name, const QString &caption, int left) {
        auto *b = addControl<QPushButton>(this, name, left, 7245, 1935, 375, caption);
        b->setFont(buttonFont);
        return b;
    };

    addLabel(this, "Label2", QStringLiteral("Number of Folders"), 120, 240, 1695, 375, font());
    m_text1 = addControl<QLineEdit>(this, "Text1", 1920, 240, 1095, 285, QString());
    addLabel(this, "Label1", QStringLiteral("Destination Folder"), 120, 600, 1695, 375, font());
    m_text2 = addControl<QLineEdit>(this, "Text2", 1920, 600, 5775, 285, Paths::hostRoot());
    addLabel(this, "Label3",
             QStringLiteral("Drag Files To Be Foldered from Explorer and Drop into this (left window) list below"),
             240, 1080, 5775, 255, font());
    addLabel(this, "Label4",
             QStringLiteral("Folders to be created (and files on left moved into them) are listed below"),
             7920, 1080, 5775, 255, font());
    m_list1 = addControl<ListBox>(this, "List1", 120, 1440, 7575, 5715, true);
    m_list1->setAcceptsFileDrops(true);
    m_list2 = addControl<ListBox>(this, "List2", 7815, 1440, 6615, 5715, true);
    auto *command5 = button("Command5", QStringLiteral("M&akeFolders"), 8595);
    auto *command4 = button("Command4", QStringLiteral("Clea&r"), 10560);
    auto *command2 = button("Command2", QStringLiteral("E&xit"), 12540);
    command5->setToolTip(QStringLiteral("Makes the folders and moves each file into its own. "
                                        "Ctrl+Z moves them back, also after a restart."));

    chainTabOrder({m_text1, m_list1, command2, m_text2, command4, command5, m_list2});
    nameForScreenReaders(this, {{"Text1", "Number of Folders"},
                                {"Text2", "Destination Folder"},
                                {"List1", "Dropped files"},
                                {"List2", "Planned folders"}});
    m_text1->setFocus();

    connect(m_list1, &ListBox::filesDropped, this, &FolderMaker::List1_OLEDragDrop);
    connect(command5, &QPushButton::clicked, this, &FolderMaker::Command5_Click);
    connect(command4, &QPushButton::clicked, this, &FolderMaker::Command4_Click);
    connect(command2, &QPushButton::clicked, this, &FolderMaker::Command2_Click);
    offerUndo(m_list1, ChangeRecord::Tool::Folderer, {});
    takeFilesByKeyboard(m_list1, m_text2, [this](const QList<QUrl> &urls) { List1_OLEDragDrop(urls); });
}

void FolderMaker::List1_OLEDragDrop(const QList<QUrl> &urls)
{
    const QStringList added = addDroppedFiles(m_host, *m_list1, urls);
    if (added.isEmpty())
        return;
    m_text2->setText(m_host.ParentFolder(added.last()));

    // Rows are in order with exact ties side by side, so one sweep removes
    // every repeat.
    QStringList rows = m_list1->items();
    const auto repeats = std::unique(rows.begin(), rows.end());
    if (repeats != rows.end()) {
        rows.erase(repeats, rows.end());
        m_list1->setItems(rows);
    }
    m_text1->setText(QString::number(m_list1->count()));
    m_list2->setItems(plannedFolders(m_list1->items()));
}

void FolderMaker::Command5_Click()
{
    if (m_list1->count() == 0)
        return;
    const QStringList files = m_list1->items(), folders = m_list2->items();
    QString report;
    runLong(QStringLiteral("Moving the files into their folders…"), [&](WorkProgress &progress) {
        report = makeFolders(m_host, files, folders, &progress);
    });
    Command4_Click();
    if (!report.isEmpty())
        m_host.ShowMessage(report);
}

void FolderMaker::Command4_Click()
{
    m_list1->clear();
    m_list2->clear();
}

void FolderMaker::Command2_Click()
{
    exitToMainMenu();
}
