#include "red/last_draw_check_run.h"

#include "red/condition_set.h"
#include "red/last_draw_row.h"
#include "store/database.h"
#include "store/record_set.h"

#include <QSqlError>
#include <QSqlQuery>

#include <optional>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

QString emptyHistoryMessage() {
    return u"历史数据中还没有开奖记录，没有可以核查的上期开奖号码。"
           u"请先通过菜单“数据操作”添加或导入开奖数据，再进行上期条件查错"_s;
}

// Whether kjhm holds a draw; nullopt with the reason when it cannot be read.
std::optional<bool> hasDraws(QSqlDatabase db, QString* error) {
    QSqlQuery q(db);
    if (!q.exec(u"select count(*) from kjhm"_s) || !q.next()) {
        *error = u"读取开奖号码失败："_s + storeErrorText(q.lastError());
        return std::nullopt;
    }
    return q.value(0).toLongLong() > 0;
}

// The column texts of the newest kjzb row.
std::optional<QStringList> newestIndicatorRow(QSqlDatabase db, QString* error) {
    RecordSet rs(db);
    QString why;
    if (!rs.open(lastDrawCheckGridQuery(), &why)) {
        *error = u"读取开奖指标失败："_s + why;
        return std::nullopt;
    }
    if (!rs.moveLast()) {
        *error = emptyHistoryMessage();
        return std::nullopt;
    }
    QStringList row;
    for (int c = 0; c < rs.columnCount(); ++c)
        row.append(rs.value(c));
    return row;
}

LastDrawCheckRun refused(const QString& message) {
    LastDrawCheckRun run;
    run.message = message;
    return run;
}

} // namespace

QString lastDrawCheckGridQuery() {
    return u"select* from kjzb order by 期号 "_s;
}

LastDrawCheckRun runLastDrawCheck(QSqlDatabase db, PanelState& panel) {
    QString error;
    const std::optional<bool> any = hasDraws(db, &error);
    if (!any)
        return refused(error);
    if (!*any)
        return refused(emptyHistoryMessage());

    // Work on a copy, so that a step that cannot be done leaves the panel as it was.
    PanelState next = panel;
    const NewestDraw draw = readNewestDraw(db);
    if (!draw.ok)
        return refused(draw.error);
    // A newest record edited by hand into no valid combination has no code to check.
    if (!fillLastDrawRow(next, draw.values)) {
        return refused(u"最新一期的开奖号码不是六个从小到大排列的1到33之间的红球号码，"
                       u"无法进行上期条件查错，请在“数据操作”中修正该期数据"_s);
    }

    const Outcome restored = restoreConditionSet(db, next);
    if (!restored.ok)
        return refused(restored.message);

    const std::optional<QStringList> row = newestIndicatorRow(db, &error);
    if (!row)
        return refused(error);

    LastDrawCheckRun run;
    run.check = checkLastDraw(next, storedIndicatorsOf(*row));
    applyTicks(next, run.check);
    run.ok = true;
    run.message = run.check.message;
    panel = next;
    return run;
}

} // namespace ssq
