#include "store/schema.h"

using namespace Qt::StringLiterals;

namespace ssq::schema {

namespace {

QList<Column> numeric(const QStringList& names) {
    QList<Column> columns;
    for (const QString& n : names)
        columns.append({n, false});
    return columns;
}

QStringList numbered(const QString& prefix, int first, int last) {
    QStringList names;
    for (int k = first; k <= last; ++k)
        names.append(prefix + QString::number(k));
    return names;
}

Table kjhmTable() {
    QStringList names{kIssue};
    names += numbered(u"H"_s, 1, 33);
    names += numbered(u"L"_s, 1, 16);
    return {kKjhm, numeric(names)};
}

Table kjdmTable() {
    QStringList names{kIssue, u"百万0"_s, u"百万1"_s};
    for (const QString& digit : {u"十万"_s, u"万位"_s, u"千位"_s, u"百位"_s, u"十位"_s, u"个位"_s})
        names += numbered(digit, 0, 9);
    return {kKjdm, numeric(names)};
}

Table kjzbTable() {
    QStringList names{u"和值"_s,   u"AC值"_s,   u"小号"_s,   u"奇号"_s,   u"同尾"_s,   u"连号"_s,
                      u"重复号"_s, u"相邻号"_s, u"代单双"_s, u"代和值"_s, u"代和尾"_s, u"代小号"_s,
                      u"代奇号"_s, u"代质数"_s, u"代连号"_s, u"代重复"_s, u"代同号"_s, u"代AC值"_s,
                      u"一区"_s,   u"二区"_s,   u"三区"_s,   u"跨度"_s,   u"冷热值"_s, u"冷号"_s,
                      u"温号"_s,   u"热号"_s};
    names += numbered(u"冷热"_s, 1, 6);
    names += QStringList{u"蓝大小"_s,   u"蓝单双"_s,   u"蓝代大号"_s, u"蓝代奇号"_s, u"蓝代质数"_s,
                         u"蓝代和值"_s, u"蓝代积值"_s, u"蓝代跨度"_s, u"蓝代连号"_s};
    QList<Column> columns{{kIssue, false}, {u"号码文本"_s, true}, {u"代码文本"_s, true}};
    columns += numeric(names);
    return {kKjzb, columns};
}

Table pairTable(const QString& name) {
    return {name,
            {{kSerial, false},
             {u"号码"_s, true},
             {u"理论开出"_s, false},
             {kTotal, false},
             {kOmission, false},
             {u"遗漏比"_s, true}}};
}

Table statisticsTable(const QString& name, const QString& prefix, int count) {
    QList<Column> columns{{kSerial, false}, {u"项目"_s, true}};
    columns += numeric(numbered(prefix, 1, count));
    return {name, columns};
}

QList<Table> makeTables() {
    QList<Column> hmbc{{kNumber, false}};
    for (const QString& n : numbered(u"号码"_s, 1, 5))
        hmbc.append({n, true});
    return {kjhmTable(),
            kjdmTable(),
            kjzbTable(),
            {kTjbc, {{kNumber, false}, {u"名称"_s, true}, {u"内容"_s, true}}},
            {kHmbc, hmbc},
            {kLqtjbc, {{kNumber, false}, {u"内容"_s, true}}},
            statisticsTable(kHmtx, u"N"_s, 33),
            pairTable(kRhmtx),
            pairTable(kRlhtx),
            statisticsTable(kLqtx, u"B"_s, 16)};
}

QString quoted(const QString& text) {
    QString escaped = text;
    escaped.replace(u'\'', u"''"_s);
    return u'\'' + escaped + u'\'';
}

QString insertRow(const QString& table, const QStringList& columns, const QStringList& values) {
    QStringList names;
    for (const QString& c : columns)
        names.append(u'"' + c + u'"');
    return u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(table, names.join(u','), values.join(u','));
}

void appendCaptionRows(QStringList& out, const QString& table, const QStringList& captions) {
    for (int i = 0; i < captions.size(); ++i)
        out.append(
            insertRow(table, {kSerial, u"项目"_s}, {QString::number(i + 1), quoted(captions[i])}));
}

} // namespace

const QList<Table>& tables() {
    static const QList<Table> all = makeTables();
    return all;
}

const Table* table(const QString& name) {
    for (const Table& t : tables()) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

QStringList columnNames(const QString& name) {
    QStringList names;
    if (const Table* t = table(name)) {
        for (const Column& c : t->columns)
            names.append(c.name);
    }
    return names;
}

QString createStatement(const Table& t) {
    QStringList columns;
    for (const Column& c : t.columns)
        columns.append(u"\"%1\" %2"_s.arg(c.name, c.text ? u"TEXT"_s : u"NUMERIC"_s));
    return u"CREATE TABLE %1 (%2)"_s.arg(t.name, columns.join(u", "_s));
}

QString pairCaption(int a, int b) {
    return u"%1-%2"_s.arg(a, 2, 10, QChar(u'0')).arg(b, 2, 10, QChar(u'0'));
}

QStringList seedStatements() {
    QStringList out;

    // Row 1 is not used; row r (2..157) keeps the text of condition input Text1(r + 14).
    out.append(insertRow(kTjbc, {kNumber, u"名称"_s}, {u"1"_s, quoted(u"未用"_s)}));
    for (int r = 2; r <= kTjbcRows; ++r)
        out.append(insertRow(kTjbc, {kNumber, u"名称"_s},
                             {QString::number(r), quoted(u"Text1(%1)"_s.arg(r + 14))}));

    out.append(insertRow(kHmbc, {kNumber}, {QString::number(kHmbcFirstRowNumber)}));

    for (int r = 1; r <= kLqtjbcRows; ++r)
        out.append(insertRow(kLqtjbc, {kNumber}, {QString::number(r)}));

    appendCaptionRows(out, kHmtx,
                      {u"历史累计开出次数"_s, u"最近22期开出次数"_s, u"最近22期开出次数(冷热)"_s,
                       u"当前遗漏期数"_s, u"冷热值"_s});

    int serial = 0;
    for (int a = 1; a < 33; ++a) {
        for (int b = a + 1; b <= 33; ++b)
            out.append(insertRow(kRhmtx, {kSerial, u"号码"_s},
                                 {QString::number(++serial), quoted(pairCaption(a, b))}));
    }
    for (int k = 1; k <= kRlhtxRows; ++k)
        out.append(insertRow(kRlhtx, {kSerial, u"号码"_s},
                             {QString::number(k), quoted(pairCaption(k, k + 1))}));

    appendCaptionRows(
        out, kLqtx,
        {u"最近50期开出次数"_s, u"最近50期开出次数"_s, u"历史累计开出次数"_s, u"当前遗漏期数"_s});
    return out;
}

} // namespace ssq::schema
