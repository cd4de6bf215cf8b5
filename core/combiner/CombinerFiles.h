// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The two files the combiner writes over its list of dropped files: the
// combine batch, which joins the files byte for byte into one output file
// when the user runs it, and the conversion list for the PocketDivX video
// converter. These functions only say what to write; the window writes it.

// A file ready to be written, or the reason it must not be.
struct PlannedTextFile {
    QString path;
    QStringList lines;
    QString lineEnd;
    bool executable = false;
    // Why nothing may be written: a text (offending) that the file cannot
    // carry, a double quote or a line break in a command batch, a line break
    // in a conversion list.
    enum class Refusal { None, Batch, List };
    Refusal refusal = Refusal::None;
    QString offending;

    bool refused() const { return refusal != Refusal::None; }
};

// The command language of the combine batch. Cmd is the Windows command
// interpreter's batch; Sh a POSIX shell script of the same shape.
enum class ScriptDialect { Cmd, Sh };

// The dialect whose scripts this host runs: Cmd on Windows, Sh elsewhere.
ScriptDialect hostDialect();

// The combine batch that joins entries (full paths, at least one, in list
// order) into destination, which stands as typed and so is relative to
// folder. The batch lies in folder, named "combinefiles", the six digits of
// timeText ("hh:mm:ss"), then ".cmd" or ".sh".
//
// Cmd: three lines ended by CR LF: the first two characters of folder (its
// drive), CD "folder", copy /b "a"+"b" "destination". "%" is written as "%%"
// so that the interpreter reads it as itself. A double quote or a line break
// in folder, destination or an entry cannot be carried by a batch line: the
// batch is refused.
// Sh: "#!/bin/sh", then cd into folder (ending the script when that fails),
// then cat of the entries into destination; lines ended by LF, the file
// executable. Every word is single-quoted, which carries any character,
// line breaks included, so nothing is refused.
PlannedTextFile combineBatch(ScriptDialect dialect, const QStringList &entries, const QString &destination,
                             const QString &folder, const QString &timeText);

// The PocketDivX conversion list "myPocketDivXbatch.pde" in folder (always
// joined with a separator): one line per entry, "entry,entry.AVI,settings",
// ended by CR LF. An entry holding a line break would break its line in
// two: the list is refused.
PlannedTextFile conversionList(const QStringList &entries, const QString &folder);
