#pragma once
// "上期条件查错" as a whole, shared by the main window and the command line: the newest draw
// into the last-draw row, its code, the saved set from tjbc, then the check of all 40
// conditions against the indicators stored for that draw.

#include "red/last_draw_check.h"
#include "red/panel_state.h"
#include "ui/outcome.h"

#include <QSqlDatabase>
#include <QString>

namespace ssq {

struct LastDrawCheckRun : Outcome {
    // message: the check's message, or why it could not run
    LastDrawCheck check;
};

// The panel changes only when the check ran: it then holds the newest draw and its code, the
// restored set and 单/双 choice, and the ticks of the failed conditions in Check1 1..40.
LastDrawCheckRun runLastDrawCheck(QSqlDatabase db, PanelState& panel);

// What the main window's grid shows after the check.
QString lastDrawCheckGridQuery();

} // namespace ssq
