#pragma once
// The saved blue options in lqtjbc: "选项存档" writes 31 texts from the window's inputs into the
// second column of rows 1..31 (in 编号 order), "设置再现" puts them back. The enabling boxes
// Check1..Check12 are not part of the set.

#include "blue/blue_controls.h"
#include "ui/outcome.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace ssq {

// The 31 texts of the set, row 1 first.
QStringList blueOptionTexts(const BlueControls& controls);
// Puts the texts (row 1 first) into the controls as "设置再现" does.
void applyBlueOptionTexts(const QStringList& texts, BlueControls& controls);

// Writes the set in one transaction; a failure leaves the table as it was.
Outcome saveBlueOptionSet(QSqlDatabase db, const BlueControls& controls);
// Reads the set into the controls; a failure changes nothing.
Outcome restoreBlueOptionSet(QSqlDatabase db, BlueControls& controls);

} // namespace ssq
