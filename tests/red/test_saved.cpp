// What the player keeps for later: the condition set in tjbc, condition files, saved results in
// hmbc (a refused or failed save leaves what was saved before), and their printed pages, checked
// as drawing operations and as a real PDF read back with pdftotext.

#include "red/condition_file.h"
#include "red/condition_set.h"
#include "red/result_page.h"
#include "red/saved_results.h"
#include "red/widgets/pdf_page_printer.h"
#include "support/temp_database.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(ssq::Paper)

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

QStringList storedTexts(QSqlDatabase db) {
    QStringList texts;
    QSqlQuery q(u"select 内容 from tjbc order by 编号"_s, db);
    while (q.next())
        texts.append(q.value(0).isNull() ? u"<null>"_s : q.value(0).toString());
    return texts;
}

QString resultText(int i) {
    return u"%1 %2 %3 31 32 33"_s.arg(1 + i / 100).arg(10 + i / 10 % 10).arg(20 + i % 10);
}

// Every row of hmbc: its number, then its five texts.
QList<QStringList> hmbcRows(QSqlDatabase db) {
    QList<QStringList> rows;
    QSqlQuery q(u"select * from hmbc order by 编号"_s, db);
    while (q.next()) {
        rows.append(QStringList());
        for (int c = 0; c <= 5; ++c)
            rows.last().append(q.value(c).toString());
    }
    return rows;
}

// A page of results "r1".."r10" from `start` on, as text: its size, then each text as
// "x y size text", then each rule as "line x y x2 y2".
QStringList dump(Paper paper, double start) {
    QStringList saved;
    for (int i = 1; i <= 10; ++i)
        saved.append(u"r%1"_s.arg(i));
    const PrintPage page = buildResultPage(paper, u"7018"_s, start, saved, {});
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

class TestSaved : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Row 1 is left alone; row r holds Text1 r + 14, the 单/双 flags last. Restoring changes the
    // inputs and the choice only.
    void saveThenRestore() {
        test::TempDatabase temp;
        PanelState panel;
        for (int i = 16; i <= 169; ++i)
            panel.text1[i] = QString::number(i * 3 % 40);
        panel.text1[50] = u" 07"_s; // kept as typed
        panel.text1[105] = QString();
        panel.option1 = true;
        QVERIFY(saveConditionSet(temp.connection(), panel).ok);
        const QStringList stored = storedTexts(temp.connection());
        QCOMPARE(stored.size(), 157);
        QCOMPARE(stored.mid(0, 1) + stored.mid(35, 2) + stored.mid(155),
                 (QStringList{u"<null>"_s, u" 07"_s, u"33"_s, u"1"_s, u"0"_s}));

        PanelState other; // the check boxes stay as they are
        other.check1[7] = 1;
        other.option2 = true;
        const Outcome restored = restoreConditionSet(temp.connection(), other);
        PanelState expected = panel;
        expected.check1[7] = 1;
        QVERIFY(restored.ok && restored.message.isEmpty() && other == expected);
    }

    void tooFewRowsChangeNothing() {
        test::TempDatabase temp;
        QVERIFY(QSqlQuery(temp.connection()).exec(u"delete from tjbc where 编号 = 157"_s));
        const QStringList before = storedTexts(temp.connection());
        PanelState panel;
        panel.text1[50] = u"120"_s;
        panel.option2 = true;
        const PanelState unchanged = panel;
        const Outcome saved = saveConditionSet(temp.connection(), panel);
        QVERIFY2(!saved.ok && saved.message.contains(u"157"_s), qPrintable(saved.message));
        QCOMPARE(storedTexts(temp.connection()), before);
        QCOMPARE(restoreConditionSet(temp.connection(), panel).message, saved.message);
        QVERIFY(panel == unchanged);
    }

    void roundTripKeepsEverythingExactly() {
        PanelState panel;
        panel.text1[50] = u" 120.5abc"_s;
        panel.text1[104] = u"0"_s; // unlike the empty 105
        panel.text1[171] = u"三十三"_s;
        for (int k = 0; k <= 40; k += 3)
            panel.check1[k] = 1;
        panel.check4 = 1;
        panel.option2 = true;
        panel.text3[40] = u"40 "_s;
        HotColdValues hv{};
        for (int n = 1; n <= kRedMax; ++n)
            hv[n] = n * 7 - 120;
        QTemporaryDir dir;
        const QString path = dir.filePath(u"条件.ssqpanel.json"_s);
        QString error;
        QVERIFY(saveConditionFile(path, panel, hv, &error));
        const std::optional<ConditionFile> loaded = loadConditionFile(path, &error);
        QVERIFY2(loaded && loaded->panel == panel && loaded->hotCold == hv, qPrintable(error));
        // Every key may be left out: the initial state.
        const std::optional<ConditionFile> empty = parseConditionFile("{}", &error);
        QVERIFY(empty && empty->panel == PanelState{} && empty->hotCold == HotColdValues{});
        // A file that is not there, or cannot be written, is named in the message.
        const QString nowhere = dir.filePath(u"没有的文件夹/a.ssqpanel.json"_s);
        QVERIFY(!loadConditionFile(nowhere, &error) && error.contains(nowhere));
        QVERIFY(!saveConditionFile(nowhere, {}, {}, &error) && error.contains(nowhere));
    }

    void badFilesAreRefusedSayingWhere_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("says");
        QTest::newRow("cut short") << QByteArray("{\n  \"text1\": {\"5\": \"1\"") << u"第 2 行"_s;
        QTest::newRow("unknown key") << QByteArray(R"({"text2": {}})") << u"“text2”"_s;
        QTest::newRow("text1 a number")
            << QByteArray(R"({"text1": {"50": 120}})") << u"“50”的值应是文字"_s;
        QTest::newRow("both options")
            << QByteArray(R"({"option1": true, "option2": true})") << u"不能同时"_s;
    }

    void badFilesAreRefusedSayingWhere() {
        QFETCH(QByteArray, json);
        QFETCH(QString, says);
        QString error;
        QVERIFY(!parseConditionFile(json, &error));
        QVERIFY2(error.contains(says), qPrintable(error));
    }

    void saveAndLoad() {
        test::TempDatabase t;
        QSqlDatabase db = t.connection();
        QVERIFY(saveResults(db, 12, resultText).ok);
        QCOMPARE(saveResults(db, 7, resultText).message, u"所选号码保存完毕"_s);
        const QList<QStringList> rows = hmbcRows(db);
        QCOMPARE(rows.size(), 3); // the earlier twelve are gone
        QCOMPARE(rows[2], (QStringList{u"6"_s, resultText(5), resultText(6), {}, {}, {}}));
        QCOMPARE(loadSavedResults(db).texts.size(), 7);

        int asked = 0;
        const ResultText counted = [&](int i) {
            ++asked;
            return resultText(i);
        };
        const Outcome refused = saveResults(db, 5001, counted);
        QCOMPARE(refused.message, u"您所选的号码超过了5000注,本程序拒绝执行此操作"_s);
        QVERIFY(!refused.ok && asked == 0);
        QCOMPARE(hmbcRows(db), rows);
        // A run that kept nothing would only empty the saved list.
        const Outcome nothing = saveResults(db, 0, counted);
        QVERIFY(!nothing.ok && asked == 0);
        QCOMPARE(nothing.message,
                 u"这次选号没有选出号码，没有号码可以保存。原来保存的号码没有改动。"_s);
        QCOMPARE(hmbcRows(db), rows);

        // The store refuses the row of result 26, after the old rows are gone and five new rows in.
        QVERIFY(
            QSqlQuery(db).exec(u"create trigger refuse before insert on hmbc when new.编号 = 26 "
                               "begin select raise(abort, 'disk full'); end"_s));
        const Outcome failed = saveResults(db, 40, resultText);
        QVERIFY2(!failed.ok && failed.message.contains(u"保存失败"_s), qPrintable(failed.message));
        QCOMPARE(hmbcRows(db), rows);

        QVERIFY(QSqlQuery(db).exec(u"drop trigger refuse"_s));
        QVERIFY(saveResults(db, 5000, resultText).ok);
        QCOMPARE(hmbcRows(db).size(), 1001);
        QCOMPARE(loadSavedResults(db).texts.mid(4999), QStringList{resultText(4999)});
    }

    void lostFirstRowAndEmptyPlaces() {
        test::TempDatabase t;
        // Loading skips the first row, so without a new one the first five results would be lost.
        QVERIFY(QSqlQuery(t.connection()).exec(u"delete from hmbc"_s));
        QVERIFY(saveResults(t.connection(), 6, resultText).ok);
        QCOMPARE(loadSavedResults(t.connection()).texts.size(), 6);
        // Loading stops at the first empty place.
        QVERIFY(QSqlQuery(t.connection()).exec(u"update hmbc set 号码3 = '' where 编号 = 1"_s));
        QCOMPARE(loadSavedResults(t.connection()).texts,
                 (QStringList{resultText(0), resultText(1)}));
    }

    void startOutsideTheResults() {
        // A start below 1 leaves the places before result 1 empty (A4 prints four a line, B5
        // three); a page running past the saved results prints what there is.
        QCOMPARE(dump(Paper::A4, -1)[2], u"500 1150 10         r1    r2"_s);
        QCOMPARE(dump(Paper::B5, 9)[2], u"500 1150 10 r9    r10    "_s);
        // Far out, or no number at all: title and footer only. A fraction is rounded to a place.
        for (double start : {-200.0, 1e300, -1e300, qQNaN(), qInf()})
            QCOMPARE(dump(Paper::A4, start).size(), 1 + 3 + 3);
        QCOMPARE(dump(Paper::A4, 2.6)[2], u"500 1150 10 r3    r4    r5    r6"_s);
    }

    // The printer is given a standard paper, and every word lands on it: the closing line too.
    void pdfHoldsThePage_data() {
        QTest::addColumn<Paper>("paper");
        QTest::addColumn<QString>("size");
        QTest::newRow("A4") << Paper::A4 << u"595 x 842 pts (A4)"_s;
        QTest::newRow("B5") << Paper::B5 << u"499 x 709 pts"_s;
    }
    void pdfHoldsThePage() {
        QFETCH(Paper, paper);
        QFETCH(QString, size);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"page.pdf"_s);
        QStringList saved{u"11 13 15 17 19 21"_s, u"7 12 19 23 28 33"_s};
        for (int i = 0; i < 200; ++i)
            saved.append(u"28 29 30 31 32 33"_s);
        PdfPagePrinter printer(path);
        QString error;
        QVERIFY2(
            printer.print(buildResultPage(paper, u"7018"_s, 1, saved, QDate(2026, 12, 6)), &error),
            qPrintable(error));
        const QString info = run(u"pdfinfo"_s, {path});
        QVERIFY2(info.contains(size), qPrintable(info));
        const QString text = run(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
        QVERIFY2(text.contains(QRegularExpression(
                     u"Ravelko第7018期预选号码\\s+11 13 15 17 19 21 +07 12 19 23 28 33.*"
                     u"打印日期：.*感谢您使用Ravelko选号软件 +2026年12月6日"_s,
                     QRegularExpression::DotMatchesEverythingOption)),
                 qPrintable(text));
        // Word boxes in points: none reaches past the paper's right or bottom edge.
        const QString boxes = run(u"pdftotext"_s, {u"-bbox"_s, path, u"-"_s});
        static const QRegularExpression word(
            u"<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\""_s);
        int words = 0;
        for (const QRegularExpressionMatch& m : word.globalMatch(boxes)) {
            ++words;
            QVERIFY2(m.captured(3).toDouble() < paperWidthTwips(paper) / 20.0 - 10 &&
                         m.captured(4).toDouble() < paperHeightTwips(paper) / 20.0 - 10,
                     qPrintable(m.captured(0)));
        }
        QVERIFY(words > 100);
        PdfPagePrinter nowhere(dir.filePath(u"missing/page.pdf"_s)); // reported, not ignored
        QVERIFY(!nowhere.print(buildResultPage(paper, u"1"_s, 1, saved, {}), &error));
    }

    // All pages from the start number to the last result, in one document; numbers in two
    // digits so the columns line up.
    void allPagesInOneDocument_data() {
        QTest::addColumn<Paper>("paper");
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("pages");
        QTest::newRow("A4, exactly one page") << Paper::A4 << 1.0 << 168 << 1; // 168 a page
        QTest::newRow("A4, one more") << Paper::A4 << 1.0 << 169 << 2;
        QTest::newRow("B5, 400 from 151") << Paper::B5 << 151.0 << 400 << 3; // 108 a page
        QTest::newRow("start past the last") << Paper::A4 << 500.0 << 400 << 1;
        QTest::newRow("no results") << Paper::B5 << 1.0 << 0 << 1;
    }
    void allPagesInOneDocument() {
        QFETCH(Paper, paper);
        QFETCH(double, start);
        QFETCH(int, count);
        QFETCH(int, pages);
        QStringList saved;
        for (int i = 1; i <= count; ++i)
            saved.append(u"%1 2 3 4 5 %2"_s.arg(i % 9 + 1).arg(10 + i % 23));
        const QList<PrintPage> built = buildResultPages(paper, u"7018"_s, start, saved, {});
        QCOMPARE(built.size(), pages);
        // Every result from the start to the last is printed once.
        QStringList printed;
        for (const PrintPage& page : built)
            for (const PrintOp& op : page.ops)
                if (op.kind == PrintOp::Kind::Text && op.y >= 1150 && op.fontSize == 10)
                    printed += op.text.split(u"    "_s, Qt::SkipEmptyParts);
        const int first = std::max(1, int(start));
        QCOMPARE(printed.size(), std::max(0, count - first + 1));
        if (!printed.isEmpty()) {
            QCOMPARE(printed.first(), twoDigitNumbers(saved[first - 1]));
            QCOMPARE(printed.last(), twoDigitNumbers(saved.last()));
        }
        QCOMPARE(twoDigitNumbers(u" 1  2 3 4 5 33"_s), u"01 02 03 04 05 33"_s);
        if (pages < 2)
            return;
        QTemporaryDir dir;
        const QString path = dir.filePath(u"all.pdf"_s);
        PdfPagePrinter printer(path);
        QString error;
        QVERIFY2(printer.printPages(built, &error), qPrintable(error));
        const QString info = run(u"pdfinfo"_s, {path});
        QVERIFY2(info.contains(QRegularExpression(u"Pages:\\s+%1\\n"_s.arg(pages))),
                 qPrintable(info));
    }

    // The results window's pages: 30 rows of five after the kept first row, never past the end.
    void paging() {
        for (const auto& [results, pages] : {std::pair{150, 1}, {151, 2}}) {
            ResultsPaging paging((results + 4) / 5 + 1);
            QCOMPARE(paging.pageCount(), pages);
            paging.firstPage();
            for (int i = 0; i < pages + 2; ++i)
                paging.nextPage();
            QCOMPARE(paging.nextPage(),
                     u"select* from hmbc where 编号>=%1 and 编号<=%2"_s.arg((pages - 1) * 150 + 1)
                         .arg(pages * 150));
        }
    }
};

QTEST_MAIN(TestSaved)
#include "test_saved.moc"
