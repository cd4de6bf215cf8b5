#pragma once

#include "gui/ToolWindow.h"

#include <QList>
#include <QUrl>

class ListBox;
class QLineEdit;
struct PlannedTextFile;

// The file combiner: collects files dropped from the file manager in a
// sorted list and writes either a batch that joins them into one output file
// or a conversion list for PocketDivX, into the default directory (Text2).
class CombineFilesUsingCMD : public ToolWindow {
    Q_OBJECT
public:
    CombineFilesUsingCMD(Host &host, QWidget *mainMenu);

public slots:
    // Lists the dropped files and makes the folder of the last one the
    // default directory; a drop that lists no file leaves the texts alone.
    void List1_OLEDragDrop(const QList<QUrl> &urls);
    void Command4_Click(); // Clea&r: empties the list, keeps both texts
    void Command5_Click(); // C&ombine: writes the combine batch
    void Command1_Click(); // &Create PDE: writes the conversion list
    void Command2_Click(); // E&xit

private:
    // Writes the planned file, tells the user where it is and empties the
    // list; a refused or failed write is reported and the list is kept.
    void writeAndClear(const PlannedTextFile &file);

    QLineEdit *m_text1;
    QLineEdit *m_text2;
    ListBox *m_list1;
};
