// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/ToolWindow.h"

#include <QList>
#include <QUrl>

class ListBox;
class QLineEdit;
struct PlannedTextFile;

// The file combiner: collects files dropped from the file manager in a
// sorted list and writes either a batch that joins them into one output file
// or a conversion list for PocketDivX, into the default directory.
class CombinerWindow : public ToolWindow {
    Q_OBJECT
public:
    CombinerWindow(FileSystem &fileSystem, Desktop &desktop, QWidget *mainMenu);

public slots:
    // Lists the dropped files and makes the folder of the last one the
    // default directory; a drop that lists no file leaves the texts alone.
    void addFiles(const QList<QUrl> &urls);
    // Clea&r: empties the list, keeps both texts.
    void clear();
    // C&ombine: writes the combine batch.
    void writeCombineBatch();
    // &Create PDE: writes the conversion list.
    void writeConversionList();

private:
    // Writes the planned file, tells the user where it is and empties the
    // list; a refused or failed write is reported and the list is kept.
    void writeAndClear(const PlannedTextFile &file);

    QLineEdit *m_destination;
    QLineEdit *m_folder;
    ListBox *m_files;
};
