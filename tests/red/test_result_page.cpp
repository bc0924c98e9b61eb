#include "model/red_code.h"
#include "red/pdf_page_printer.h"
#include "red/result_page.h"

#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

// Real combination texts, all different.
QStringList results(int n) {
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out.append(QString::fromStdString(comboText(comboOfCode(i * 5003))));
    return out;
}

// Distinct texts, so a place can be told by its text: "r1" .. "rN".
QStringList places(int n) {
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out.append(u"r%1"_s.arg(i));
    return out;
}

QList<PrintOp> textOps(const PrintPage& page) {
    QList<PrintOp> out;
    for (const PrintOp& op : page.ops) {
        if (op.kind == PrintOp::Kind::Text)
            out.append(op);
    }
    return out;
}

QList<PrintOp> lineOps(const PrintPage& page) {
    QList<PrintOp> out;
    for (const PrintOp& op : page.ops) {
        if (op.kind == PrintOp::Kind::Line)
            out.append(op);
    }
    return out;
}

PrintOp textAt(int x, int y, int size, const QString& text) {
    PrintOp op;
    op.x = x;
    op.y = y;
    op.fontSize = size;
    op.text = text;
    return op;
}

PrintOp rule(int y, int x2) {
    PrintOp op;
    op.kind = PrintOp::Kind::Line;
    op.x = 100;
    op.y = y;
    op.x2 = x2;
    op.y2 = y;
    return op;
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestResultPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void a4Layout();
    void b5Layout();
    void startOutsideTheResults();
    void pdfHoldsThePage();
};

void TestResultPage::a4Layout() {
    const QDate date(2007, 2, 13);
    const PrintPage page = buildResultPage(Paper::A4, u"7018"_s, 1, places(400), date);
    QCOMPARE(page.widthTwips, 10000);
    QCOMPARE(page.heightTwips, 16000);
    QCOMPARE(lineOps(page), (QList<PrintOp>{rule(900, 9900), rule(950, 9900), rule(14000, 9900)}));

    const QList<PrintOp> texts = textOps(page);
    QCOMPARE(texts.size(), 1 + 42 + 2);
    QCOMPARE(texts.first(), textAt(2000, 500, 14, u"    Ravelko第7018期预选号码"_s));
    QCOMPARE(texts[1], textAt(500, 1150, 10, u"r1    r2    r3    r4"_s));
    QCOMPARE(texts[2], textAt(500, 1450, 10, u"r5    r6    r7    r8"_s));
    QCOMPARE(texts[42], textAt(500, 1150 + 41 * 300, 10, u"r165    r166    r167    r168"_s));
    QCOMPARE(texts[43],
             textAt(500, 14200, 14,
                    u"打印日期： "_s + QLocale::system().toString(date, QLocale::ShortFormat)));
    QCOMPARE(texts[44],
             textAt(500, 14600, 12,
                    u"感谢您使用本软件，如有问题请登陆作者主页："_s + homePageAddress()));
}

void TestResultPage::b5Layout() {
    const PrintPage page =
        buildResultPage(Paper::B5, u"7100"_s, 11, places(400), QDate(2007, 9, 1));
    QCOMPARE(page.widthTwips, 8500);
    QCOMPARE(page.heightTwips, 13800);
    QCOMPARE(lineOps(page), (QList<PrintOp>{rule(900, 8000), rule(950, 8000), rule(12300, 8000)}));

    const QList<PrintOp> texts = textOps(page);
    QCOMPARE(texts.size(), 1 + 36 + 2);
    QCOMPARE(texts.first(), textAt(1500, 500, 14, u"    Ravelko第7100期预选号码"_s));
    QCOMPARE(texts[1], textAt(500, 1150, 10, u"r11    r12    r13"_s));
    QCOMPARE(texts[36], textAt(500, 1150 + 35 * 300, 10, u"r116    r117    r118"_s));
    QCOMPARE(texts[37].y, 12500);
    QCOMPARE(texts[37].fontSize, 14);
    QCOMPARE(texts[38].y, 12800);
    QCOMPARE(texts[38].fontSize, 12);
}

void TestResultPage::startOutsideTheResults() {
    // A start below 1 prints the places that exist and leaves the others empty.
    PrintPage page = buildResultPage(Paper::A4, u"7018"_s, -1, places(10), QDate(2007, 1, 1));
    QList<PrintOp> texts = textOps(page);
    QCOMPARE(texts[1].text, u"        r1    r2"_s);
    QCOMPARE(texts[2].text, u"r3    r4    r5    r6"_s);
    QCOMPARE(texts[3].text, u"r7    r8    r9    r10"_s);
    QCOMPARE(texts.size(), 1 + 3 + 2); // lines with no result are left out

    // A page that runs past the saved results prints what there is.
    page = buildResultPage(Paper::B5, u"7018"_s, 9, places(10), QDate(2007, 1, 1));
    texts = textOps(page);
    QCOMPARE(texts.size(), 1 + 1 + 2);
    QCOMPARE(texts[1].text, u"r9    r10    "_s);

    // Far out, or no number at all: title, rules and footer only.
    for (double start : {-200.0, 1e300, -1e300, qQNaN(), qInf()})
        QCOMPARE(textOps(buildResultPage(Paper::A4, u"1"_s, start, places(10), {})).size(), 3);
    // A fractional start is rounded to a place.
    QCOMPARE(textOps(buildResultPage(Paper::A4, u"1"_s, 2.6, places(10), {}))[1].text,
             u"r3    r4    r5    r6"_s);
}

void TestResultPage::pdfHoldsThePage() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"page.pdf"_s);
    const QStringList saved = results(200);
    PdfPagePrinter printer(path);
    QString error;
    QVERIFY2(printer.print(buildResultPage(Paper::A4, u"7018"_s, 1, saved, QDate::currentDate()),
                           &error),
             qPrintable(error));

    const QString info = run(u"pdfinfo"_s, {path});
    QVERIFY2(info.contains(u"Pages:           1"_s), qPrintable(info));
    QVERIFY2(info.contains(u"500 x 800 pts"_s), qPrintable(info)); // 10000 x 16000 twips

    const QString text = run(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    QVERIFY2(text.contains(u"Ravelko第7018期预选号码"_s), qPrintable(text));
    QVERIFY(text.contains(saved[0]));
    QVERIFY(text.contains(saved[167]));
    QVERIFY(text.contains(u"打印日期："_s));
    QVERIFY(text.contains(u"感谢您使用本软件，如有问题请登陆作者主页："_s));

    // B5 pages get their own size.
    QVERIFY(printer.print(buildResultPage(Paper::B5, u"7018"_s, 1, saved, QDate::currentDate()),
                          &error));
    QVERIFY(run(u"pdfinfo"_s, {path}).contains(u"425 x 690 pts"_s));

    // A file that cannot be written is reported, not ignored.
    PdfPagePrinter nowhere(dir.filePath(u"missing/folder/page.pdf"_s));
    error.clear();
    QVERIFY(!nowhere.print(buildResultPage(Paper::A4, u"7018"_s, 1, saved, {}), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestResultPage)
#include "test_result_page.moc"
