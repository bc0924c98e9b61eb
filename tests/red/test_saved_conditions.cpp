// The panel's conditions kept for later: the set in tjbc that "保存条件设置" writes and "条件再现"
// puts back (refused when tjbc holds fewer than 157 rows), and condition files, which keep the
// whole panel and the hot/cold table exactly and refuse a file with anything wrong, saying what
// and where.

#include "red/condition_file.h"
#include "red/condition_set.h"
#include "support/temp_database.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

class TestSavedConditions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Row 1 is left alone; row r holds Text1 r + 14, the 单/双 flags last. Restoring changes the
    // inputs and the choice only.
    void saveThenRestore() {
        test::TempDatabase temp;
        QVERIFY2(temp.isValid(), qPrintable(temp.error()));
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
        const ConditionSetOutcome restored = restoreConditionSet(temp.connection(), other);
        PanelState expected = panel;
        expected.check1[7] = 1;
        QVERIFY(restored.ok && restored.message.isEmpty() && other == expected);
    }

    void tooFewRowsChangeNothing() {
        test::TempDatabase temp;
        QVERIFY(temp.isValid());
        QVERIFY(QSqlQuery(temp.connection()).exec(u"delete from tjbc where 编号 = 157"_s));
        const QStringList before = storedTexts(temp.connection());
        PanelState panel;
        panel.text1[50] = u"120"_s;
        panel.option2 = true;
        const PanelState unchanged = panel;
        const ConditionSetOutcome saved = saveConditionSet(temp.connection(), panel);
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
};

QTEST_GUILESS_MAIN(TestSavedConditions)
#include "test_saved_conditions.moc"
