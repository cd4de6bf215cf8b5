// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/ChangeRecord.h"

#include <QByteArrayView>
#include <QList>
#include <QVarLengthArray>

// Reads a record line by line, each line once: a moved folder changes one
// path, and a list's positions are told apart from older ones by the
// positions line they follow, so no line works on the lists again.
// ChangeRecord::fromText and headFromText say what it gives.
class RecordReader {
public:
    explicit RecordReader(QByteArrayView text)
        : m_text(text)
    {}

    // The whole record; fault says why it cannot be acted on.
    ChangeRecord read(RecordFault &fault);
    // Its lines up to its first folder.
    ChangeRecord readHead(RecordFault &fault);

private:
    using Fields = QVarLengthArray<QByteArrayView, 10>;
    // Where a list's files stand: the positions line they were last named
    // under (-1 for none), and how many positions lines the list has seen.
    struct Positions {
        QList<int> namedUnder;
        int latest = 0;
    };

    bool nextLine(QByteArrayView &line);
    // The line's fields; false for a line longer than a record holds, or
    // with more fields than any line has.
    static bool split(QByteArrayView line, Fields &fields);
    bool readHeader(RecordFault &fault);
    bool readLine(const Fields &fields);
    bool readFolder(const Fields &fields);
    bool readRename(const Fields &fields);
    bool readAt(const Fields &fields);
    bool readMoved(const Fields &fields);
    bool readState(const Fields &fields);
    bool readPath(QByteArrayView number, QByteArrayView name, RecordPath &path) const;
    bool readIdentity(const Fields &fields, qsizetype first, FileIdentity &identity) const;
    // After the last line: files that a list's last positions do not name
    // stand at their new paths, once the list came to its end.
    void settlePositions();
    Positions &positionsOf(QByteArrayView list)
    {
        return list == "undo" ? m_undoPositions : m_renamePositions;
    }

    QByteArrayView m_text;
    qsizetype m_start = 0;
    int m_format = 0;
    bool m_toolSeen = false, m_actionSeen = false, m_stateSeen = false;
    ChangeRecord m_record;
    Positions m_renamePositions, m_undoPositions;
};
