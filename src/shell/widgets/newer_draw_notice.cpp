#include "shell/widgets/newer_draw_notice.h"

#include "red/newer_draw.h"
#include "red/widgets/last_draw_frame.h"
#include "shell/widgets/main_window.h"
#include "store/database.h"
#include "store/database_decade.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// How often the database is asked for its newest draw: draws arrive from other windows and
// other programs (the command line), which send no signal.
constexpr int kWatchMs = 1000;

std::array<QString, 7> rowTexts(const LastDrawFrame& row) {
    std::array<QString, 7> texts;
    for (int i = 0; i < 7; ++i)
        texts[static_cast<std::size_t>(i)] = row.text(1 + i);
    return texts;
}

} // namespace

void watchNewerDraw(MainWindow& main, LastDrawFrame& row, QLabel& label) {
    QLabel* notice = &label;
    LastDrawFrame* frame = &row;
    // The newest issue and row last judged: the draws are read again only when one changes.
    auto judged =
        std::make_shared<std::pair<int, std::array<QString, 7>>>(-1, std::array<QString, 7>{});
    const auto judge = [&main, frame, notice, judged] {
        QSqlDatabase db = main.database().connection();
        const std::optional<StoredDraw> newest = newestDraw(db);
        const std::array<QString, 7> row = rowTexts(*frame);
        const int issue = newest ? newest->issue : 0;
        if (judged->first == issue && judged->second == row)
            return;
        *judged = {issue, row};
        const QString text = newerDrawNotice(loadDraws(db), row, databaseDecade(db));
        notice->setText(text.isEmpty() ? QString()
                                       : u"<a href=\"update\">%1，点此更新</a>"_s.arg(text));
        notice->setVisible(!text.isEmpty());
    };
    QObject::connect(notice, &QLabel::linkActivated, &main, [&main, frame, judge] {
        frame->fillNewestDraw();
        frame->convertToCode();
        main.fillHotColdTable();
        judge();
    });
    auto* timer = new QTimer(&main);
    QObject::connect(timer, &QTimer::timeout, &main, judge);
    timer->start(kWatchMs);
    judge();
}

} // namespace ssq
