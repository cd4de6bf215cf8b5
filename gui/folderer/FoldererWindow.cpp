// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/folderer/FoldererWindow.h"

#include "gui/folderer/FoldererControls.h"

#include "core/changes/ChangeEngine.h"
#include "core/base/Paths.h"
#include "gui/Desktop.h"
#include "gui/words/ChangeWords.h"
#include "gui/controls/FileDrop.h"
#include "gui/controls/ListBox.h"
#include "gui/controls/WindowLayout.h"
#include "core/folderer/FolderNames.h"
#include "core/folderer/MakeFolders.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

FoldererWindow::FoldererWindow(FileSystem &fileSystem, Desktop &desktop, QWidget *mainMenu)
    : ToolWindow(fileSystem, desktop, mainMenu, FoldererControls::window,
                 tr("Create Folders For Thumgen Processing of Video files"), QSize(14505, 7635),
                 QStringLiteral(":/icons/folderer.png"))
{
    using namespace WindowLayout;
    const QFont buttonFont = designFont(QStringLiteral("MS Sans Serif"), 9.75);
    auto button = [&](const char *name, const QString &caption, int left) {
        auto *b = addControl<QPushButton>(this, name, left, 7245, 1935, 375, caption);
        b->setFont(buttonFont);
        return b;
    };

    addLabel(this, FoldererControls::countLabel, tr("Number of Folders"), 120, 240, 1695, 375, font());
    m_count = addControl<QLineEdit>(this, FoldererControls::count, 1920, 240, 1095, 285, QString());
    addLabel(this, FoldererControls::destinationLabel, tr("Destination Folder"), 120, 600, 1695, 375, font());
    m_destination = addControl<QLineEdit>(this, FoldererControls::destination, 1920, 600, 5775, 285,
                                          Paths::hostRoot());
    addLabel(this, FoldererControls::filesLabel,
             tr("Drag Files To Be Foldered from Explorer and Drop into this (left window) list below"), 240,
             1080, 5775, 255, font());
    addLabel(this, FoldererControls::foldersLabel,
             tr("Folders to be created (and files on left moved into them) are listed below"), 7920, 1080,
             5775, 255, font());
    m_files = addControl<ListBox>(this, FoldererControls::files, 120, 1440, 7575, 5715, true);
    m_files->setAcceptsFileDrops(true);
    m_folders = addControl<ListBox>(this, FoldererControls::folders, 7815, 1440, 6615, 5715, true);
    auto *makeFolders = button(FoldererControls::makeFolders, tr("M&akeFolders"), 8595);
    auto *clear = button(FoldererControls::clear, tr("Clea&r"), 10560);
    auto *exit = button(FoldererControls::exit, tr("E&xit"), 12540);
    makeFolders->setToolTip(tr("Makes the folders and moves each file into its own. "
                               "Ctrl+Z moves them back, also after a restart."));

    chainTabOrder({m_count, m_files, exit, m_destination, clear, makeFolders, m_folders});
    nameForScreenReaders(this, {{FoldererControls::count, tr("Number of Folders")},
                                {FoldererControls::destination, tr("Destination Folder")},
                                {FoldererControls::files, tr("Dropped files")},
                                {FoldererControls::folders, tr("Planned folders")}});
    m_count->setFocus();

    connect(m_files, &ListBox::filesDropped, this, &FoldererWindow::addFiles);
    connect(makeFolders, &QPushButton::clicked, this, &FoldererWindow::makeFolders);
    connect(clear, &QPushButton::clicked, this, &FoldererWindow::clear);
    connect(exit, &QPushButton::clicked, this, &FoldererWindow::exitToMainMenu);
    offerUndo(m_files, ChangeRecord::Tool::Folderer, {});
    takeFilesByKeyboard(m_files, m_destination, [this](const QList<QUrl> &urls) { addFiles(urls); });
}

void FoldererWindow::addFiles(const QList<QUrl> &urls)
{
    const QStringList added = addDroppedFiles(m_fileSystem, m_desktop, *m_files, urls);
    if (added.isEmpty())
        return;
    m_destination->setText(Paths::folderPart(added.last()));

    // Rows are in order with exact ties side by side, so one sweep removes
    // every repeat.
    QStringList rows = m_files->items();
    const auto repeats = std::unique(rows.begin(), rows.end());
    if (repeats != rows.end()) {
        rows.erase(repeats, rows.end());
        m_files->setItems(rows);
    }
    m_count->setText(QString::number(m_files->count()));
    m_folders->setItems(plannedFolders(m_files->items()));
}

void FoldererWindow::makeFolders()
{
    if (m_files->count() == 0)
        return;
    const QStringList files = m_files->items(), folders = m_folders->items();
    ChangeOutcome outcome;
    m_desktop.runLongWork(ChangeWords::movingIntoFolders(), [&](WorkProgress &progress) {
        outcome = ::makeFolders(m_fileSystem, files, folders, &progress);
    });
    noteChange(outcome);
    clear();
    if (const QString report = ChangeWords::report(outcome, ChangeWords::Noun::Files); !report.isEmpty())
        m_desktop.showMessage(report);
}

void FoldererWindow::clear()
{
    m_files->clear();
    m_folders->clear();
}
