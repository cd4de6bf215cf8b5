// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/renamer/RenamerWindow.h"

#include "core/base/Paths.h"
#include "gui/controls/DriveListBox.h"
#include "gui/controls/FileListBox.h"
#include "gui/controls/FolderListBox.h"
#include "gui/controls/WindowLayout.h"
#include "core/renamer/DeleteToTrash.h"
#include "core/renamer/FileActions.h"
#include "core/renamer/RenamerChange.h"
#include "core/changes/RenamePlan.h"
#include "core/renamer/PassTable.h"
#include "core/renamer/RenamePlanner.h"
#include "core/renamer/RenameRule.h"
#include "core/host/FileSystem.h"
#include "gui/Desktop.h"
#include "gui/renamer/BatchPreviewCache.h"
#include "gui/renamer/RenamerControls.h"
#include "gui/words/ChangeWords.h"
#include "gui/words/RenamerWords.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

RenamerWindow::RenamerWindow(FileSystem &fileSystem, Desktop &desktop, QWidget *mainMenu)
    : ToolWindow(fileSystem, desktop, mainMenu, RenamerControls::window, tr("FILE RENAMER"),
                 QSize(11805, 9810), QStringLiteral(":/icons/renamer.png"))
{
    layOutControls();
    nameControls();
    connectControls();
    offerUndo(m_fileList, ChangeRecord::Tool::Renamer, [this] { showWhatIsOnDisk(); });
}

void RenamerWindow::layOutControls()
{
    using namespace WindowLayout;
    setFont(designFont(QStringLiteral("Arial"), 9.75, true));
    const QFont controlFont = designFont(QStringLiteral("MS Sans Serif"), 8.25);
    const QFont labelFont = designFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    const QFont boxFont = designFont(QStringLiteral("Verdana"), 9);

    auto button = [&](const char *name, const QString &caption, int left, int top) {
        auto *b = addControl<QPushButton>(this, name, left, top, 1875, 345, caption);
        b->setFont(controlFont);
        return b;
    };
    auto label = [&](const char *name, const QString &caption, int top) {
        return addLabel(this, name, caption, 30, top, 1770, 300, labelFont, Qt::AlignRight | Qt::AlignTop);
    };
    auto textBox = [&](const char *name, const QString &text, int left, int top, int width, int height,
                       const QFont &font) {
        auto *t = addControl<QLineEdit>(this, name, left, top, width, height, text);
        t->setFont(font);
        return t;
    };

    m_path = textBox(RenamerControls::path, Paths::hostRoot(), 120, 30, 9615, 375,
                     designFont(QStringLiteral("Tahoma"), 9.75));
    m_specialBatch = button(RenamerControls::specialBatch, tr("SPECIAL BATCH"), 9855, 75);

    m_drives = addControl<DriveListBox>(this, RenamerControls::drives, 120, 480, 4380, 405, m_fileSystem);
    m_drives->setFont(designFont(QStringLiteral("Arial"), 12, true));
    m_folders = addControl<FolderListBox>(this, RenamerControls::folders, 270, 1020, 4260, 7380,
                                          m_fileSystem);
    m_folders->setFont(controlFont);

    // The preview list is made first, so that the file list lies over it.
    // While it lies under the file list it is hidden too, so that neither
    // Tab nor a screen reader reaches a list that cannot be seen.
    m_preview = addControl<ListBox>(this, RenamerControls::preview, 4560, 960, 7095, 7080, false);
    m_preview->setFont(controlFont);
    m_preview->hide();
    m_fileList = addControl<FileListBox>(this, RenamerControls::files, 4560, 480, 7095, 7695, m_fileSystem);
    m_fileList->setFont(controlFont);

    label(RenamerControls::filterLabel, tr("FILTER:  "), 8520);
    m_filter = textBox(RenamerControls::filter, QStringLiteral("*.*"), 1815, 8475, 7755, 330, controlFont);
    colourFilterBox();
    label(RenamerControls::changeThisLabel, tr("CHANGE THIS:  "), 8910);
    m_changeThis = textBox(RenamerControls::changeThis, QString(), 1815, 8865, 7755, 330, boxFont);
    label(RenamerControls::renameToLabel, tr("RENAME TO:  "), 9285);
    m_renameTo = textBox(RenamerControls::renameTo, QString(), 1830, 9270, 7755, 330, boxFont);

    m_applyFilter = button(RenamerControls::applyFilter, tr("APPLY FILTER"), 9690, 8205);
    m_previewChanges = button(RenamerControls::previewChanges, tr("PREVIEW CHANGES"), 9690, 8610);
    m_makeChanges = button(RenamerControls::makeChanges, tr("MAKE CHANGES"), 9690, 9015);
    m_exit = button(RenamerControls::exit, tr("EXIT"), 9690, 9420);
    m_makeChanges->setToolTip(tr("Renames every listed file whose name holds CHANGE THIS. "
                                 "Ctrl+Z puts the names back, also after a restart."));
    m_specialBatch->setToolTip(tr("Cleans up the names of this folder, or upper-cases them. "
                                  "Ctrl+Z puts the names back, also after a restart."));
}

void RenamerWindow::nameControls()
{
    using namespace WindowLayout;
    chainTabOrder({m_fileList, m_filter, m_changeThis, m_renameTo, m_makeChanges, m_exit, m_applyFilter,
                   m_previewChanges, m_preview, m_path, m_drives, m_folders, m_specialBatch});
    nameForScreenReaders(this, {{RenamerControls::path, tr("Folder")},
                                {RenamerControls::drives, tr("Drive")},
                                {RenamerControls::folders, tr("Folders")},
                                {RenamerControls::files, tr("Files")},
                                {RenamerControls::preview, tr("Preview of new names")},
                                {RenamerControls::filter, tr("FILTER")},
                                {RenamerControls::changeThis, tr("CHANGE THIS")},
                                {RenamerControls::renameTo, tr("RENAME TO")}});
    m_fileList->setFocus();
}

void RenamerWindow::connectControls()
{
    connect(m_drives, &DriveListBox::driveChanged, this, &RenamerWindow::driveChosen);
    connect(m_folders, &FolderListBox::pathChanged, this, &RenamerWindow::folderChanged);
    connect(m_path, &QLineEdit::textChanged, this, &RenamerWindow::pathEdited);
    connect(m_fileList, &FileListBox::entryChosen, this, &RenamerWindow::fileChosen);
    m_renameTo->installEventFilter(this);
    m_changeThis->installEventFilter(this);
    connect(m_applyFilter, &QPushButton::clicked, this, &RenamerWindow::applyFilter);
    connect(m_previewChanges, &QPushButton::clicked, this, &RenamerWindow::previewChanges);
    connect(m_makeChanges, &QPushButton::clicked, this, &RenamerWindow::makeChanges);
    connect(m_exit, &QPushButton::clicked, this, &RenamerWindow::exitToMainMenu);
    connect(m_specialBatch, &QPushButton::clicked, this, &RenamerWindow::specialBatch);
    connect(m_fileList, &FileListBox::doubleClicked, this, &RenamerWindow::openChosenFile);
    connect(m_fileList, &FileListBox::keyReleased, this, &RenamerWindow::fileKeyReleased);
}

void RenamerWindow::colourFilterBox()
{
    QPalette filterColours = palette();
    filterColours.setColor(QPalette::Base, filterColours.color(QPalette::Midlight));
    m_filter->setPalette(filterColours);
}

void RenamerWindow::changeEvent(QEvent *event)
{
    // The desktop switched its colour scheme: the FILTER box takes the new
    // scheme's light 3-D colour, so that its text stays readable.
    if (event->type() == QEvent::PaletteChange)
        colourFilterBox();
    ToolWindow::changeEvent(event);
}

bool RenamerWindow::eventFilter(QObject *watched, QEvent *event)
{
    // CHANGE THIS and RENAME TO select their whole text as they get the
    // focus, so that typing replaces it.
    if (event->type() == QEvent::FocusIn && (watched == m_renameTo || watched == m_changeThis))
        static_cast<QLineEdit *>(watched)->selectAll();
    return ToolWindow::eventFilter(watched, event);
}

void RenamerWindow::showFolder(const QString &folder)
{
    // The box may name the folder already, and then raises no change.
    m_path->setText(folder);
    pathEdited();
}

void RenamerWindow::driveChosen()
{
    // A drive has no current folder of its own here: the folder list goes to
    // its top. A drive that is not ready changes nothing.
    m_folders->setPath(m_drives->drive());
}

void RenamerWindow::folderChanged()
{
    m_folders->refresh();
    m_path->setText(m_folders->path());
}

void RenamerWindow::pathEdited()
{
    // When the folder list moves, its change handler writes this box and the
    // chain passes here twice; the file list is read once.
    if (m_folders->setPath(m_path->text()) && m_fileList->path() != m_folders->path())
        m_fileList->setPath(m_folders->path());
    m_path->setCursorPosition(int(m_path->text().size()));
}

void RenamerWindow::fileChosen()
{
    m_changeThis->setText(m_fileList->selectedName());
    m_renameTo->setText(m_changeThis->text());
}

void RenamerWindow::applyFilter()
{
    if (m_filter->text().isEmpty())
        m_filter->setText(QStringLiteral("*.*"));
    // Setting the pattern lists the folder anew; a large folder is read once.
    m_fileList->setPattern(m_filter->text());
    m_folders->refresh();
    revealFileList();
}

void RenamerWindow::previewChanges()
{
    m_preview->clear();
    if (m_fileList->count() == 0)
        return;
    showPreviewList();
    // The rows are the rule's new names; the plan tells which of them
    // MAKE CHANGES will not give as shown.
    RenamePlanner planner = plannerForFolder();
    const QList<EntryOutcome> outcomes = planner.makeChanges(m_fileList->items(), m_changeThis->text(),
                                                             m_renameTo->text());
    QStringList rows;
    for (const EntryOutcome &outcome : outcomes)
        rows << outcome.shown;
    m_preview->addItems(rows);
    for (int row = 0; row < m_preview->count(); ++row)
        m_preview->setRowWarning(row, RenamerWords::warning(outcomes[row]));
}

void RenamerWindow::makeChanges()
{
    const QString folder = m_folders->path();
    ChangeOutcome outcome;
    if (renameToIsAllowed(m_renameTo->text()) && m_fileList->count() > 0) {
        // The worker works on copies of what the controls hold.
        const QStringList rows = m_fileList->items();
        const QString from = m_changeThis->text(), to = m_renameTo->text(), filter = m_fileList->pattern();
        m_desktop.runLongWork(ChangeWords::renaming(folder), [&](WorkProgress &progress) {
            RenamePlanner planner(FolderModel(m_fileSystem.readFolder(folder)), Wildcard(filter));
            planner.makeChanges(rows, from, to);
            outcome = applyChange(m_fileSystem,
                                  renamerChange(ChangeAction::MakeChanges, folder, planner.plan(folder)),
                                  &progress);
        });
    }
    noteChange(outcome);
    // showFileList lists the folder anew; pointing the list elsewhere only
    // matters when it shows another folder.
    if (m_fileList->path() != folder)
        m_fileList->setPath(folder);
    showFileList();
    // Silent when every name changed; a failure is never passed over.
    if (const QString report = ChangeWords::report(outcome, ChangeWords::Noun::Names); !report.isEmpty())
        m_desktop.showMessage(report);
}

void RenamerWindow::specialBatch()
{
    // The box previews each answer from the plan that the answer then runs.
    BatchPreviewCache plans(m_fileSystem, m_folders->path(), m_fileList->items(), m_fileList->pattern(),
                            m_desktop.now().date().year() + 1);
    const Question question{RenamerWords::batchPrompt(), RenamerWords::batchTitle(),
                            RenamerWords::batchDefaultAnswer(), RenamerWords::batchAnswers()};
    const BatchJob job = batchJobFor(
        m_desktop.askText(question, [&plans](const QString &answer) { return plans.preview(answer); }));
    if (job == BatchJob::Cancel) {
        m_desktop.showMessage(RenamerWords::batchCancelled());
    } else {
        const BatchRun run = planAndApply(plans, job);
        if (job == BatchJob::CleanUp)
            endCleanUpBatch(run);
        else
            endRenamesOfFolder(run);
    }
    folderChanged();
}

RenamePlanner RenamerWindow::plannerForFolder()
{
    return RenamePlanner(FolderModel(m_fileSystem.readFolder(m_folders->path())),
                         Wildcard(m_fileList->pattern()));
}

RenamerWindow::BatchRun RenamerWindow::planAndApply(BatchPreviewCache &plans, BatchJob job)
{
    const QString folder = m_folders->path();
    BatchRun run;
    m_desktop.runLongWork(ChangeWords::renaming(folder), [&](WorkProgress &progress) {
        // A stop while the plan is made renames nothing.
        run.plan = plans.plan(job, [&progress] { return progress.stopRequested(); });
        if (run.plan)
            run.outcome = applyChange(m_fileSystem, batchChange(job, folder, *run.plan), &progress);
    });
    if (!run.plan)
        m_desktop.showMessage(RenamerWords::stoppedBeforePlan());
    else
        noteChange(run.outcome);
    return run;
}

void RenamerWindow::endCleanUpBatch(const BatchRun &run)
{
    const QString folder = m_folders->path();
    if (!run.plan)
        return;
    const std::optional<BatchPlan> &plan = run.plan;
    // The window ends as if each step had been typed and pressed: the boxes
    // hold the last step's texts, the preview list the last year's rows.
    m_changeThis->setText(passTable().last().from);
    m_renameTo->setText(passTable().last().to);
    m_preview->clear();
    m_preview->addItems(plan->lastPreview);
    if (m_fileList->path() != folder)
        m_fileList->setPath(folder);
    m_filter->setText(QStringLiteral("*.*"));
    applyFilter();
    m_desktop.showMessage(RenamerWords::cleanUpEnded(run.outcome));
}

void RenamerWindow::endRenamesOfFolder(const BatchRun &run)
{
    // The file list shows the names that are on disk now.
    m_fileList->refresh();
    if (const QString report = ChangeWords::report(run.outcome, ChangeWords::Noun::Names); !report.isEmpty())
        m_desktop.showMessage(report);
}

void RenamerWindow::openChosenFile()
{
    const QString entry = m_fileList->selectedName();
    const QString folder = m_folders->path();
    switch (FileActions::actionFor(entry)) {
    case FileActions::Action::Nothing:
        return;
    case FileActions::Action::Play: {
        // A missing player is no reason to bother the user.
        const FileActions::ProgramCall player = FileActions::playerCall(folder, entry);
        m_desktop.startProgram(player.program, player.arguments);
        return;
    }
    case FileActions::Action::Convert: {
        const FileActions::ProgramCall converter = FileActions::converterCall(folder, entry);
        const Outcome started = m_desktop.startProgram(converter.program, converter.arguments);
        if (!started) {
            m_desktop.showMessage(ChangeWords::reason(started));
            return;
        }
        // The converter takes a moment to start; the window paints meanwhile.
        m_desktop.waitForClockTicks(2);
        return;
    }
    }
}

void RenamerWindow::fileKeyReleased(int key)
{
    if (key != Qt::Key_Delete)
        return;
    // The selected file exactly as listed: a trimmed name could be another
    // file. Read-only, in use or gone: the list is refreshed all the same.
    QString message;
    if (m_fileList->selectedIndex() >= 0) {
        // On a worker, as every change: a slow drive's trash does not freeze the window.
        const QString path = Paths::join(m_folders->path(), m_fileList->selectedName());
        const QDateTime deleted = m_desktop.now();
        DeleteReport report;
        m_desktop.runLongWork(ChangeWords::movingToTrash(path),
                              [&](WorkProgress &) { report = deleteToTrash(m_fileSystem, path, deleted); });
        noteChange(report.change);
        message = RenamerWords::deleted(report);
    }
    m_fileList->refresh();
    if (!message.isEmpty())
        m_desktop.showMessage(message);
}

void RenamerWindow::showWhatIsOnDisk()
{
    QString folder = m_folders->path();
    while (!m_folders->setPath(folder) && Paths::folderPart(folder) != folder)
        folder = Paths::folderPart(folder);
    m_folders->refresh();
    if (m_path->text() != m_folders->path())
        m_path->setText(m_folders->path());
    m_fileList->refresh();
}

void RenamerWindow::showPreviewList()
{
    m_fileList->hide();
    m_preview->show();
    m_preview->update();
}

void RenamerWindow::revealFileList()
{
    m_fileList->show();
    m_preview->hide();
}

void RenamerWindow::showFileList()
{
    revealFileList();
    m_fileList->refresh();
}
