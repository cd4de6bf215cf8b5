// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

// What the user is told of files given to a list, by a drop, Ctrl+V or the
// file dialog: every sentence made here, translatable.
class DropWords {
    Q_DECLARE_TR_FUNCTIONS(DropWords)
public:
    // What a drop left out, in one message: items that are not existing
    // files (folders, web links), and files beyond the list's room of
    // maxRows rows. Empty when it left nothing out.
    static QString leftOut(qsizetype notFiles, qsizetype beyondRoom, qsizetype maxRows);
    // Ctrl+V found no files on the clipboard.
    static QString nothingToPaste();
};
