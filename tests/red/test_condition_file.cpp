// Condition files: the whole panel and the hot/cold table survive a save and a load exactly, and
// a file with anything wrong is refused with a message that says what and where.

#include "red/condition_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <numeric>

using namespace Qt::StringLiterals;

namespace {

ssq::PanelState unusualPanel() {
    ssq::PanelState panel;
    panel.text1[0] = u"x"_s;
    panel.text1[1] = u" 12 "_s;
    panel.text1[8] = u"0096810"_s;
    panel.text1[50] = u"120.5abc"_s;
    panel.text1[104] = u"0"_s;
    panel.text1[105] = QString(); // empty stays empty, unlike "0"
    panel.text1[144] = u"三十三"_s;
    panel.text1[171] = u"1"_s;
    for (int k = 0; k <= 40; k += 3)
        panel.check1[k] = 1;
    panel.check3 = 1;
    panel.check4 = 1;
    panel.option2 = true;
    panel.text3[1] = u"1"_s;
    panel.text3[40] = u"40 "_s;
    return panel;
}

ssq::HotColdValues sampleHotCold() {
    ssq::HotColdValues hv{};
    for (int n = 1; n <= ssq::kRedMax; ++n)
        hv[n] = n * 7 - 120;
    return hv;
}

} // namespace

class TestConditionFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTripKeepsEverythingExactly();
    void theDocumentedExampleLoads();
    void missingKeysMeanTheInitialState();
    void badFilesAreRefusedSayingWhere_data();
    void badFilesAreRefusedSayingWhere();
    void unreadableAndUnwritableFiles();
};

void TestConditionFile::roundTripKeepsEverythingExactly() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"条件.ssqpanel.json"_s);
    QString error;
    QVERIFY(ssq::saveConditionFile(path, unusualPanel(), sampleHotCold(), &error));
    const std::optional<ssq::ConditionFile> loaded = ssq::loadConditionFile(path, &error);
    QVERIFY2(loaded, qPrintable(error));
    QVERIFY(loaded->panel == unusualPanel());
    QCOMPARE(loaded->hotCold, sampleHotCold());

    // And the initial panel, which writes almost nothing.
    QVERIFY(ssq::saveConditionFile(path, {}, {}, &error));
    QVERIFY(ssq::loadConditionFile(path, &error)->panel == ssq::PanelState{});
}

void TestConditionFile::theDocumentedExampleLoads() {
    const QByteArray example = R"({
  "text1": {"1": "1", "2": "5", "3": "12", "4": "20", "5": "27", "6": "33", "7": "8",
            "8": "0096810", "9": "0", "10": "0", "11": "9", "12": "6", "13": "8", "14": "1", "15": "0",
            "50": "120", "51": "100"},
  "check1": [1,0,0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]
})";
    QString error;
    const std::optional<ssq::ConditionFile> file = ssq::parseConditionFile(example, &error);
    QVERIFY2(file, qPrintable(error));
    QCOMPARE(file->panel.text1[8], u"0096810"_s);
    QCOMPARE(file->panel.text1[51], u"100"_s);
    QCOMPARE(file->panel.text1[52], QString());
    QCOMPARE(file->panel.check1[0], 1);
    QCOMPARE(file->panel.check1[4], 1);
    QCOMPARE(std::accumulate(file->panel.check1.begin(), file->panel.check1.end(), 0), 2);
    QCOMPARE(file->hotCold, ssq::HotColdValues{});
}

void TestConditionFile::missingKeysMeanTheInitialState() {
    QString error;
    const std::optional<ssq::ConditionFile> file = ssq::parseConditionFile("{}", &error);
    QVERIFY(file);
    QVERIFY(file->panel == ssq::PanelState{});
    QCOMPARE(file->hotCold, ssq::HotColdValues{});
}

void TestConditionFile::badFilesAreRefusedSayingWhere_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("says");
    QTest::newRow("cut short") << QByteArray("{\n  \"text1\": {\"5\": \"1\"") << u"第 2 行"_s;
    QTest::newRow("not an object") << QByteArray("[1, 2]") << u"JSON 对象"_s;
    QTest::newRow("unknown key") << QByteArray(R"({"text2": {}})") << u"“text2”"_s;
    QTest::newRow("text1 an array") << QByteArray(R"({"text1": []})") << u"“text1”应是"_s;
    QTest::newRow("text1 index 172") << QByteArray(R"({"text1": {"172": "1"}})") << u"“172”"_s;
    QTest::newRow("text1 index -1") << QByteArray(R"({"text1": {"-1": "1"}})") << u"“-1”"_s;
    QTest::newRow("text1 index 05") << QByteArray(R"({"text1": {"05": "1"}})") << u"“05”"_s;
    QTest::newRow("text1 a number")
        << QByteArray(R"({"text1": {"50": 120}})") << u"“50”的值应是文字"_s;
    QTest::newRow("check1 too short") << QByteArray(R"({"check1": [1, 0]})") << u"41 个"_s;
    QTest::newRow("check1 a 2")
        << QByteArray(
               R"({"check1": [0,0,0,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]})")
        << u"索引 3"_s;
    QTest::newRow("check1 a boolean")
        << QByteArray(
               R"({"check1": [true,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]})")
        << u"索引 0"_s;
    QTest::newRow("check2 a 2") << QByteArray(R"({"check2": 2})") << u"“check2”应是 0 或 1"_s;
    QTest::newRow("check4 a text") << QByteArray(R"({"check4": "1"})") << u"“check4”应是 0 或 1"_s;
    QTest::newRow("option1 a number")
        << QByteArray(R"({"option1": 1})") << u"“option1”应是 true 或 false"_s;
    QTest::newRow("both options") << QByteArray(R"({"option1": true, "option2": true})")
                                  << u"不能同时"_s;
    QTest::newRow("text3 index 0")
        << QByteArray(R"({"text3": {"0": "1"}})") << u"“text3”中的键“0”"_s;
    QTest::newRow("text3 index 41") << QByteArray(R"({"text3": {"41": "1"}})") << u"1 到 40"_s;
    QTest::newRow("hotcold 32 values")
        << QByteArray(
               R"({"hotcold": [1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32]})")
        << u"33 个整数"_s;
    QTest::newRow("hotcold a fraction")
        << QByteArray(
               R"({"hotcold": [0,0,0,0,1.5,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]})")
        << u"索引 4（红球 5）"_s;
    QTest::newRow("hotcold too large")
        << QByteArray(
               R"({"hotcold": [0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1e12]})")
        << u"索引 32（红球 33）"_s;
}

void TestConditionFile::badFilesAreRefusedSayingWhere() {
    QFETCH(QByteArray, json);
    QFETCH(QString, says);
    QString error;
    QVERIFY(!ssq::parseConditionFile(json, &error));
    QVERIFY2(error.contains(says), qPrintable(error));
}

void TestConditionFile::unreadableAndUnwritableFiles() {
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"没有.ssqpanel.json"_s);
    QString error;
    QVERIFY(!ssq::loadConditionFile(missing, &error));
    QVERIFY2(error.contains(missing), qPrintable(error));

    const QString nowhere = dir.filePath(u"没有的文件夹/a.ssqpanel.json"_s);
    QVERIFY(!ssq::saveConditionFile(nowhere, {}, {}, &error));
    QVERIFY2(error.contains(nowhere), qPrintable(error));

    // A file that is there but is no JSON: refused, and what was there is left alone.
    const QString other = dir.filePath(u"other.ssqpanel.json"_s);
    QFile file(other);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not json");
    file.close();
    QVERIFY(!ssq::loadConditionFile(other, &error));
    QVERIFY2(error.contains(u"不是有效的 JSON"_s), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestConditionFile)
#include "test_condition_file.moc"
