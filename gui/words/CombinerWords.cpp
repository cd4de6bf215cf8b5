// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/words/CombinerWords.h"

#include "gui/words/ChangeWords.h"

QString CombinerWords::refused(const PlannedTextFile &file)
{
    switch (file.refusal) {
    case PlannedTextFile::Refusal::None:
        return {};
    case PlannedTextFile::Refusal::Batch:
        return tr("No batch was written: \"%1\" holds a double quote or a line break, which a "
                  "command batch cannot carry.")
            .arg(file.offending);
    case PlannedTextFile::Refusal::List:
        return tr("No list was written: \"%1\" holds a line break, which the conversion list "
                  "cannot carry.")
            .arg(file.offending);
    }
    return {};
}

QString CombinerWords::notCreated(const QString &path, const Outcome &outcome)
{
    return tr("Could not create \"%1\": %2").arg(path, ChangeWords::reason(outcome));
}

QString CombinerWords::ready(const QString &path)
{
    return tr("Now you are ready to go process ") + path;
}
