// The printed page of saved results: the A4 and B5 layouts as drawing operations, places outside
// the results, and a real PDF read back with pdftotext.

#include "red/pdf_page_printer.h"
#include "red/result_page.h"

#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

// A page of `count` results "r1".."rN" from `start` on, as text: its size, then each text as
// "x y size text", then each rule as "line x y x2 y2".
QStringList dump(Paper paper, double start, int count = 10, const QDate& date = {}) {
    QStringList saved;
    for (int i = 1; i <= count; ++i)
        saved.append(u"r%1"_s.arg(i));
    const PrintPage page = buildResultPage(paper, u"7018"_s, start, saved, date);
    QStringList texts{u"%1x%2"_s.arg(page.widthTwips).arg(page.heightTwips)}, lines;
    for (const PrintOp& op : page.ops) {
        if (op.kind == PrintOp::Kind::Line)
            lines.append(u"line %1 %2 %3 %4"_s.arg(op.x).arg(op.y).arg(op.x2).arg(op.y2));
        else
            texts.append(u"%1 %2 %3 "_s.arg(op.x).arg(op.y).arg(op.fontSize) + op.text);
    }
    return texts + lines;
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestResultPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layouts() {
        const QDate date(2007, 2, 13);
        const QStringList a4 = dump(Paper::A4, 1, 400, date);
        QCOMPARE(a4.size(), 1 + 45 + 3);
        QCOMPARE(a4.mid(0, 3),
                 (QStringList{u"10000x16000"_s, u"2000 500 14     Ravelko第7018期预选号码"_s,
                              u"500 1150 10 r1    r2    r3    r4"_s}));
        QCOMPARE(a4[43], u"500 13450 10 r165    r166    r167    r168"_s);
        QCOMPARE(a4[44], u"500 14200 14 打印日期： "_s +
                             QLocale::system().toString(date, QLocale::ShortFormat));
        QCOMPARE(a4[45],
                 u"500 14600 12 感谢您使用本软件，如有问题请登陆作者主页："_s + homePageAddress());
        QCOMPARE(a4.mid(46), (QStringList{u"line 100 900 9900 900"_s, u"line 100 950 9900 950"_s,
                                          u"line 100 14000 9900 14000"_s}));
        const QStringList b5 = dump(Paper::B5, 11, 400, date);
        QCOMPARE(b5.size(), 1 + 39 + 3);
        QCOMPARE(b5.mid(0, 3),
                 (QStringList{u"8500x13800"_s, u"1500 500 14     Ravelko第7018期预选号码"_s,
                              u"500 1150 10 r11    r12    r13"_s}));
        QCOMPARE(b5[37], u"500 11650 10 r116    r117    r118"_s);
        QVERIFY(b5[38].startsWith(u"500 12500 14 "_s) && b5[39].startsWith(u"500 12800 12 "_s));
        QCOMPARE(b5.last(), u"line 100 12300 8000 12300"_s);
    }

    void startOutsideTheResults() {
        // A start below 1 leaves the places before result 1 empty; lines with no result are left
        // out. A page running past the saved results prints what there is.
        QCOMPARE(
            dump(Paper::A4, -1).mid(2, 3),
            (QStringList{u"500 1150 10         r1    r2"_s, u"500 1450 10 r3    r4    r5    r6"_s,
                         u"500 1750 10 r7    r8    r9    r10"_s}));
        QCOMPARE(dump(Paper::A4, -1).size(), 1 + 6 + 3);
        QCOMPARE(dump(Paper::B5, 9)[2], u"500 1150 10 r9    r10    "_s);
        QCOMPARE(dump(Paper::B5, 9).size(), 1 + 4 + 3);
        // Far out, or no number at all: title and footer only. A fraction is rounded to a place.
        for (double start : {-200.0, 1e300, -1e300, qQNaN(), qInf()})
            QCOMPARE(dump(Paper::A4, start).size(), 1 + 3 + 3);
        QCOMPARE(dump(Paper::A4, 2.6)[2], u"500 1150 10 r3    r4    r5    r6"_s);
    }

    void pdfHoldsThePage() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"page.pdf"_s);
        const QStringList saved{u"11 13 15 17 19 21"_s, u"7 12 19 23 28 33"_s};
        PdfPagePrinter printer(path);
        QString error;
        QVERIFY2(printer.print(buildResultPage(Paper::A4, u"7018"_s, 1, saved, {}), &error),
                 qPrintable(error));
        const QString info = run(u"pdfinfo"_s, {path}); // 10000 x 16000 twips
        QVERIFY2(info.contains(u"Pages:           1"_s) && info.contains(u"500 x 800 pts"_s),
                 qPrintable(info));
        const QString text = run(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
        QVERIFY2(text.contains(u"Ravelko第7018期预选号码"_s), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression(u"11 13 15 17 19 21 +7 12 19 23 28 33"_s)),
                 qPrintable(text));
        QVERIFY(text.contains(u"感谢您使用本软件，如有问题请登陆作者主页："_s));
        QVERIFY(printer.print(buildResultPage(Paper::B5, u"7018"_s, 1, saved, {}), &error));
        QVERIFY(run(u"pdfinfo"_s, {path}).contains(u"425 x 690 pts"_s));
        // A file that cannot be written is reported, not ignored.
        PdfPagePrinter nowhere(dir.filePath(u"missing/page.pdf"_s));
        QVERIFY(!nowhere.print(buildResultPage(Paper::A4, u"1"_s, 1, saved, {}), &error));
    }
};

QTEST_MAIN(TestResultPage)
#include "test_result_page.moc"
