#pragma once
// The saved condition set in tjbc: "保存条件设置" writes the texts of Text1 16..171 into the third
// column of rows 2..157 (in 编号 order), "条件再现" reads them back. The check boxes and the
// markers are not part of the set.

#include "red/panel_state.h"
#include "ui/outcome.h"

#include <QSqlDatabase>
#include <QString>

namespace ssq {

// Sets Text1 170/171 from the 单/双 choice and writes the set in one transaction. A refused or
// failed save changes neither the table nor the panel.
Outcome saveConditionSet(QSqlDatabase db, PanelState& panel);

// Puts the saved texts into Text1 16..171 and the 单/双 choice back; the check boxes stay as they
// are. A refused restore changes nothing.
Outcome restoreConditionSet(QSqlDatabase db, PanelState& panel);

} // namespace ssq
