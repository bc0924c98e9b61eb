// The characteristics window and the indicator chart window clicked over 500 real draws.

#include "analysis/indicator_chart_items.h"
#include "analysis/widgets/indicator_chart_window.h"
#include "analysis/widgets/number_characteristics_window.h"
#include "analysis_fixtures.h"
#include "store/widgets/draw_grid_view.h"
#include "support/scripted_prompter.h"
#include "support/widget_actions.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLineSeries>
#include <QTest>

using namespace ssq;
using namespace Qt::StringLiterals;

namespace {

QList<float> linePoints(const IndicatorChartWindow& w) {
    QList<float> values;
    const QList<QAbstractSeries*> series = w.lineChart()->chart()->series();
    if (series.size() == 1)
        for (const QPointF& p : static_cast<QLineSeries*>(series[0])->points())
            values.append(float(p.y()));
    return values;
}

QList<float> bars(const IndicatorChartWindow& w) {
    QList<float> values;
    const QList<QAbstractSeries*> series = w.barChart()->chart()->series();
    if (series.size() == 1)
        for (int i = 0; i < static_cast<QBarSeries*>(series[0])->barSets()[0]->count(); ++i)
            values.append(float(static_cast<QBarSeries*>(series[0])->barSets()[0]->at(i)));
    return values;
}

QStringList column(QAbstractItemModel* model, int c) {
    QStringList out;
    for (int r = 0; model && r < model->rowCount(); ++r)
        out.append(model->index(r, c).data().toString());
    return out;
}

} // namespace

class TestAnalysisWindows : public QObject {
    Q_OBJECT

    // The last `count` values of a kjzb column, read straight from the file.
    QList<float> lastValues(int kjzbColumn, int count) {
        QList<float> all;
        QSqlQuery q(m_db.connection());
        q.exec(u"select * from kjzb order by 期号"_s);
        while (q.next())
            all.append(q.value(kjzbColumn).toFloat());
        return all.mid(all.size() - count);
    }

    void chooseChart(IndicatorChartWindow& w, const QString& item) {
        QAction* action = w.findChild<QAction*>(item);
        QVERIFY2(action, qPrintable(item));
        action->trigger();
    }

    test::TempDatabase m_db;

private Q_SLOTS:
    void initTestCase() { QVERIFY(test::importRealDraws(m_db, u"2021001"_s, 500)); }

    void characteristicsFillAllThreeGrids() {
        test::ScriptedPrompter prompter;
        NumberCharacteristicsWindow w(m_db.database());
        w.show();
        test::retype(&w, u"Text1"_s, u"30"_s);
        test::click(&w, u"QB"_s);
        QCOMPARE(prompter.messageTexts(), QStringList());
        QCOMPARE(w.hotColdGrid()->model()->rowCount(), 5);
        QCOMPARE(w.hotColdGrid()->model()->index(1, 1).data().toString(), u"最近30期开出次数"_s);
        QCOMPARE(w.pairGrid()->model()->rowCount(), 528);
        QCOMPARE(w.neighbourGrid()->model()->rowCount(), 32);
        QCOMPARE(test::textOf(&w, u"Text3"_s).split(u"   "_s).size(), 15);

        // Sorted by omission: ascending, a second click the longest first.
        const auto byOmission = [&](bool ascending) {
            const QStringList o = column(w.pairGrid()->model(), 4);
            return o.first().toInt() != o.last().toInt() &&
                   std::is_sorted(o.begin(), o.end(), [&](const QString& a, const QString& b) {
                       return ascending ? a.toInt() < b.toInt() : a.toInt() > b.toInt();
                   });
        };
        test::click(&w, u"Command2"_s);
        QVERIFY(byOmission(true));
        test::click(&w, u"Command2"_s);
        QVERIFY(byOmission(false));
        // An empty box falls back to 22 draws with a notice.
        test::retype(&w, u"Text1"_s, QString());
        test::click(&w, u"HQLRTXFX"_s);
        QCOMPARE(
            prompter.messageTexts(),
            QStringList{u"您没有在左上角输入框中输入要查询的期数,如果不输入,程序将默认为22"_s});
        QCOMPARE(test::textOf(&w, u"Text1"_s), u"22"_s);
        QCOMPARE(w.hotColdGrid()->model()->index(1, 1).data().toString(), u"最近22期开出次数"_s);
    }

    void chartsOfTheLastLoad() {
        test::ScriptedPrompter prompter;
        IndicatorChartWindow w(m_db.database());
        w.show();
        // Before any load: no points, but the title.
        chooseChart(w, u"A32"_s);
        QCOMPARE(w.lineChart()->chart()->title(), u"常规和值"_s);
        QCOMPARE(linePoints(w), QList<float>());

        test::retype(&w, u"Text1"_s, u"30"_s);
        test::click(&w, u"Command1"_s);
        QCOMPARE(prompter.messageTexts(),
                 QStringList{u"数据载入完毕,请从菜单中选择需要显示的指标项"_s});
        QCOMPARE(prompter.questions(), QStringList());
        chooseChart(w, u"A32"_s);
        const QList<float> sums = lastValues(3, 30);
        QCOMPARE(linePoints(w), sums);
        QCOMPARE(bars(w), sums);

        // Too many: refused with the history's size, the old load stays.
        prompter.clear();
        test::retype(&w, u"Text1"_s, u"999"_s);
        test::click(&w, u"Command1"_s);
        QCOMPARE(
            prompter.messageTexts(),
            QStringList{
                u"您选的期数超出了数据库中的记录范围,无法为您载入数据,您的数据最高记录为500条,请重新选择"_s});
        chooseChart(w, u"L43"_s);
        QCOMPARE(w.lineChart()->chart()->title(), u"蓝球代码连号（1表示连号，0表示无连）"_s);
        QCOMPARE(linePoints(w), lastValues(43, 30));

        // An empty box asks and the answer goes into the box; an answer that is no count is
        // refused and the chart stays.
        prompter.clear();
        test::retype(&w, u"Text1"_s, QString());
        prompter.answerInput(u"20"_s);
        test::click(&w, u"Command1"_s);
        QCOMPARE(prompter.questions(), QStringList{u"请输入图表需要显示最近多少期的数据?"_s});
        test::retype(&w, u"Text1"_s, u"0"_s);
        prompter.answerInput(u"abc"_s);
        test::click(&w, u"Command1"_s);
        QCOMPARE(prompter.messageTexts().last(), u"请输入一个大于0的期数,图表没有改动"_s);
        chooseChart(w, u"D41"_s);
        QCOMPARE(linePoints(w), lastValues(12, 20));

        // Both charts as one picture.
        const QString path = m_db.folder() + u"/和值"_s;
        prompter.answerFileName(path);
        test::click(&w, u"BCTP"_s);
        const QImage saved(path + u".png"_s);
        QVERIFY(!saved.isNull());
        QCOMPARE(saved.height(), w.lineChart()->height() + w.barChart()->height());
    }
};

QTEST_MAIN(TestAnalysisWindows)
#include "test_analysis_windows.moc"
