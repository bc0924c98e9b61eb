#include "game/game_texts.h"

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Matched entries joined by single blanks; a drawn red not in the pick shows as `filler`.
QString matchedEntries(const GameDraw& draw, const DrawHits& hits, const QString& filler) {
    QStringList entries;
    for (int i = 0; i < 6; ++i)
        entries.append(hits.matched[i] ? QString::number(draw.reds[i]) : filler);
    return entries.join(u' ');
}

} // namespace

QString prizeText(int reds, bool blueHit) {
    switch (reds) {
    case 6:
        return blueHit ? u"您中了1等奖1注，3等奖6注，哈哈，500万哦！！我要绑票"_s
                       : u"您中了2等奖1注，4等奖6注哈哈，上百万哦！！我要绑票"_s;
    case 5:
        return blueHit ? u"您中了3等奖共2注，4等奖5注，分点给我,否则我打你"_s
                       : u"您中了4等奖共2注，5等奖5注"_s;
    case 4:
        return blueHit ? u"您中了4等奖共3注，5等奖4注"_s : u"您中了5等奖共3注"_s;
    case 3:
        return blueHit ? u"您中了5等奖共4注,6等奖3注，"_s : u"您赔钱了"_s;
    default:
        return blueHit ? u"您中了6等奖共7注"_s : u"您赔钱了"_s;
    }
}

bool isWinningRow(int reds, bool blueHit) {
    return blueHit || reds >= 4;
}

QString singleDrawHitText(const GameDraw& draw, const DrawHits& hits) {
    QString text = u"您选中红球 "_s + matchedEntries(draw, hits, QString()) + u" 共"_s +
                   QString::number(hits.reds);
    if (hits.blue)
        return text + u"个号码!"_s + u" 并中蓝球"_s + QString::number(draw.blue);
    return text + u"个号码"_s;
}

QString repeatedDrawHitText(const GameDraw& draw, const DrawHits& hits) {
    QString text = u"选中红球 "_s + matchedEntries(draw, hits, u"  "_s) + u" 共"_s +
                   QString::number(hits.reds);
    if (hits.blue)
        return text + u"个!"_s + u" 蓝球"_s + QString::number(draw.blue);
    return text + u"个"_s;
}

QString drawCountText(std::int64_t draws) {
    return u"我不停地摇啊摇,摇了 "_s + QString::number(draws) + u"次奖,球都摇破了,累死我了!"_s;
}

QString drawingText(std::int64_t draws) {
    return u"正在摇奖，已经摇了 "_s + QString::number(draws) + u" 次……"_s;
}

QString stoppedText(std::int64_t draws) {
    return u"已停止摇奖：摇了 "_s + QString::number(draws) + u" 次，还没有摇出设定的中奖等级"_s;
}

QStringList helpGreeting() {
    return {u"本"_s, u"软"_s, u"件"_s, u"作"_s, u"者"_s, u"感"_s, u"谢"_s, u"您"_s,
            u"使"_s, u"用"_s, u"Ra"_s, u"ve"_s, u"lk"_s, u"o"_s,  u"！"_s};
}

QString firstGameHelp() {
    return u"本程序为随机选号,也可以手动人工选号，模拟开奖机随机开奖，实乃娱乐游戏小程序，"
           u"验证一下购买双色球彩票的中奖机率,纯属自娱自乐寻开心！切不可依此购买彩票！！！"
           u"本程序使用方法简单：先点数据清零,再点随机选号,再点随机开奖。"
           u"我本人也点了几百次，最大奖项只中过一次4等奖，哈哈，你也来试试运气吧!"_s;
}

QString secondGameHelp() {
    return u"本游戏程序为预先设置需要中得的红球数与蓝球，然后由电脑自动连续模拟开奖，输出开奖次数。"
           u"特别注意：蓝球数填写0或1，中蓝球就填写1，不中蓝球就填写0或空格(默认为0),"
           u"号码可以机选,也可以手选"_s;
}

} // namespace ssq
