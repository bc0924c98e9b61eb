#include "red/condition_captions.h"

#include <array>

using namespace Qt::StringLiterals;

namespace ssq {

QString conditionCaption(int k) {
    static const std::array<QString, 41> captions{
        QString(),           u"1、胆号"_s,        u"2、次胆号"_s,        u"3、淘汰号"_s,
        u"4、和值"_s,        u"5、AC值"_s,        u"6、小号个数"_s,      u"7、奇号个数"_s,
        u"8、同尾组数"_s,    u"9、相连号个数"_s,  u"10、重复号个数"_s,   u"11、相邻号个数"_s,
        u"12、代码单双"_s,   u"13、代码和值"_s,   u"14、不出和尾"_s,     u"15、小数个数"_s,
        u"16、奇数个数"_s,   u"17、质数个数"_s,   u"18、连号组数"_s,     u"19、重复个数"_s,
        u"20、同号组数"_s,   u"21、代码AC值"_s,   u"22、胆号"_s,         u"23、次胆号"_s,
        u"24、淘汰号"_s,     u"25、个位不出号"_s, u"26、十位不出号"_s,   u"27、百位不出号"_s,
        u"28、千位不出号"_s, u"29、万位不出号"_s, u"30、十万位不出号"_s, u"31、百万位不出号"_s,
        u"32、一区间"_s,     u"33、二区间"_s,     u"34、三区间"_s,       u"35、首尾跨度"_s,
        u"36、绝杀号码"_s,   u"37、冷热值"_s,     u"38、冷号个数"_s,     u"39、温号个数"_s,
        u"40、热号个数"_s};
    return k >= 1 && k <= 40 ? captions[static_cast<std::size_t>(k)] : QString();
}

} // namespace ssq
