#pragma once
// What the game window writes into its boxes: prize texts, hit texts, the draw-count text,
// the help greeting and the two help messages.

#include "game/game_draw.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace ssq {

// The prize of the seven six-red combinations of a pick for R reds hit and the blue.
QString prizeText(int reds, bool blueHit);
// Whether that row is shown in the win colours (light yellow, blue text).
bool isWinningRow(int reds, bool blueHit);

// Text16 after a single draw ("您选中红球 …") and after the repeated draw ("选中红球 …").
QString singleDrawHitText(const GameDraw& draw, const DrawHits& hits);
QString repeatedDrawHitText(const GameDraw& draw, const DrawHits& hits);

// Text20 when the repeated draw has met its target.
QString drawCountText(std::int64_t draws);
// Text20 while the repeated draw runs, and after it was stopped.
QString drawingText(std::int64_t draws);
QString stoppedText(std::int64_t draws);

// The fifteen characters the first game's help writes into Text1..Text15, one a box.
QStringList helpGreeting();
QString firstGameHelp();
QString secondGameHelp();

} // namespace ssq
