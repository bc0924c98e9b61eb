#pragma once
// What a draw service answered, read without any network: the JSON of the China Welfare
// Lottery's draw notices ({"state":0,"result":[{"code":"2026097","red":"05,11,17,23,29,33",
// "blue":"07","prizegrades":[{"type":1,"typenum":"6","typemoney":"7205925"},…]},…]}) or text in
// any of the forms a player can paste.

#include "store/draw_prizes.h"
#include "store/draw_source_parser.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace ssq {

// What every network message ends with: the way that always works.
QString pasteAdvice();

struct DrawAnswer {
    bool ok = false;
    QString message; // why the answer is not what was expected
    std::vector<SourceDraw> draws;
    std::vector<DrawPrizes> prizes; // stored issues as the source's seven-digit codes give them
};

DrawAnswer readDrawAnswer(const QByteArray& body);

} // namespace ssq
