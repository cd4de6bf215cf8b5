// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/combiner/CombinerWindow.h"

#include "gui/combiner/CombinerControls.h"

#include "core/host/FileSystem.h"
#include "gui/Desktop.h"
#include "gui/words/CombinerWords.h"
#include "core/base/Paths.h"
#include "gui/controls/FileDrop.h"
#include "gui/controls/ListBox.h"
#include "gui/controls/WindowLayout.h"
#include "core/combiner/CombinerFiles.h"

#include <QLineEdit>
#include <QPushButton>

CombinerWindow::CombinerWindow(FileSystem &fileSystem, Desktop &desktop, QWidget *mainMenu)
    : ToolWindow(fileSystem, desktop, mainMenu, CombinerControls::window,
                 tr("Create PocketDivX PDE or Combine VOBS to MPG CMD Batch"), QSize(7860, 7635),
                 QStringLiteral(":/icons/combiner.png"))
{
    using namespace WindowLayout;
    setFont(designFont(QStringLiteral("MS Sans Serif"), 8));

    addLabel(this, CombinerControls::destinationLabel, tr("Destination Filename"), 120, 240, 1695, 375,
             font());
    m_destination = addControl<QLineEdit>(this, CombinerControls::destination, 1920, 240, 5775, 285,
                                          QStringLiteral("output.mpg"));
    addLabel(this, CombinerControls::folderLabel, tr("Default Directory"), 120, 600, 1695, 375, font());
    m_folder = addControl<QLineEdit>(this, CombinerControls::folder, 1920, 600, 5775, 285, Paths::hostRoot());
    addLabel(this, CombinerControls::filesLabel,
             tr("Drag MPG or VOB Files from Explorer and Drop onto the window list below"), 120, 960, 6375,
             255, font());
    auto *clear = addControl<QPushButton>(this, CombinerControls::clear, 6720, 960, 975, 375, tr("Clea&r"));
    m_files = addControl<ListBox>(this, CombinerControls::files, 120, 1440, 7575, 5715, true);
    m_files->setAcceptsFileDrops(true);
    auto *createPde = addControl<QPushButton>(this, CombinerControls::createPde, 5640, 7200, 975, 375,
                                              tr("&Create PDE"));
    auto *combine = addControl<QPushButton>(this, CombinerControls::combine, 4590, 7200, 975, 375,
                                            tr("C&ombine"));
    auto *exit = addControl<QPushButton>(this, CombinerControls::exit, 6720, 7200, 975, 375, tr("E&xit"));

    chainTabOrder({m_destination, m_files, createPde, exit, m_folder, clear, combine});
    nameForScreenReaders(this, {{CombinerControls::destination, tr("Destination Filename")},
                                {CombinerControls::folder, tr("Default Directory")},
                                {CombinerControls::files, tr("Dropped files")}});
    m_destination->setFocus();

    connect(m_files, &ListBox::filesDropped, this, &CombinerWindow::addFiles);
    connect(clear, &QPushButton::clicked, this, &CombinerWindow::clear);
    connect(combine, &QPushButton::clicked, this, &CombinerWindow::writeCombineBatch);
    connect(createPde, &QPushButton::clicked, this, &CombinerWindow::writeConversionList);
    connect(exit, &QPushButton::clicked, this, &CombinerWindow::exitToMainMenu);
    takeFilesByKeyboard(m_files, m_folder, [this](const QList<QUrl> &urls) { addFiles(urls); });
}

void CombinerWindow::addFiles(const QList<QUrl> &urls)
{
    const QStringList added = addDroppedFiles(m_fileSystem, m_desktop, *m_files, urls);
    if (!added.isEmpty())
        m_folder->setText(Paths::folderPart(added.last()));
}

void CombinerWindow::clear()
{
    m_files->clear();
}

void CombinerWindow::writeCombineBatch()
{
    if (m_files->count() == 0)
        return;
    // The batch's name takes the time of day from one reading of the clock.
    const QString time = m_desktop.now().toString(QStringLiteral("hh:mm:ss"));
    writeAndClear(
        combineBatch(hostDialect(), m_files->items(), m_destination->text(), m_folder->text(), time));
}

void CombinerWindow::writeConversionList()
{
    if (m_files->count() == 0)
        return;
    writeAndClear(conversionList(m_files->items(), m_folder->text()));
}

void CombinerWindow::writeAndClear(const PlannedTextFile &file)
{
    if (file.refused()) {
        m_desktop.showMessage(CombinerWords::refused(file));
        return;
    }
    const Outcome written = m_fileSystem.writeTextFile(file.path, file.lines, file.lineEnd, file.executable);
    if (!written) {
        m_desktop.showMessage(CombinerWords::notCreated(file.path, written));
        return;
    }
    m_desktop.showMessage(CombinerWords::ready(file.path));
    clear();
}
