#pragma once
// Which conditions of the panel the newest draw fails: the panel's last-draw row holds the
// draw and its code digits, the stored indicators come from its kjzb row.

#include "red/panel_state.h"

#include <QString>
#include <QStringList>

#include <array>

namespace ssq {

// Indicators 1..41 of a draw as stored in kjzb columns 3..43 (index 0 unused).
using StoredIndicators = std::array<double, 42>;

// Reads the indicators of one kjzb row given as its column texts; missing or empty cells
// read 0.
StoredIndicators storedIndicatorsOf(const QStringList& kjzbRow);

struct LastDrawCheck {
    std::array<bool, 41> ticked{}; // 1..40: the condition fails for the newest draw
    int count = 0;
    QString message;
};

// Tests conditions 1..40 whatever their enable boxes say. Range conditions are ticked only
// when both bound boxes are given; the counting conditions 2, 3, 23 and 24 are ticked
// whenever the count lies outside their bounds, empty bounds reading 0.
LastDrawCheck checkLastDraw(const PanelState& panel, const StoredIndicators& stored);

// Sets the enable boxes 1..40 to the ticks of the check; nothing else changes.
void applyTicks(PanelState& panel, const LastDrawCheck& check);
// The condition ticks (Check1 1..40) of `player` put back on `panel`, after the check replaced
// them; false when they were the same already.
bool restoreTicks(PanelState& panel, const PanelState& player);
// Asked after a check that changed the player's ticks.
QString restoreTicksQuestion();

QString lastDrawCheckMessage(int count);

} // namespace ssq
