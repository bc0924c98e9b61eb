#include "analysis/widgets/number_characteristics_window.h"

#include "analysis/hot_cold_characteristics.h"
#include "analysis/pair_tables.h"
#include "store/database.h"
#include "store/widgets/draw_grid_view.h"
#include "ui/prompter.h"
#include "ui/twips.h"
#include "ui/widgets/named_widgets.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

#include <memory>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

using Widths = DrawGridView::ColumnWidths;

constexpr double kHotColdGridTwips = 470;
// Wide enough for the 33 numbers and their captions side by side; the pair grids low enough for
// the window to fit 1920 × 1080 at 150 % (650 pixels under a taskbar).
constexpr double kHotColdGridWidthTwips = 17100;
constexpr double kPairGridHeightTwips = 4300;
constexpr double kPairGridTwips = 600;

const Widths kAllPairWidths{{0, 500}, {1, 550}, {2, 1100}, {3, 1000}, {4, 1000}, {5, 800}};
const Widths kNeighbourWidths{{0, 500}, {1, 570}, {2, 1100}, {3, 1000}, {4, 1000}, {5, 800}};
const Widths kSortedWidths{{0, 500}, {1, 600}, {2, 1100}, {3, 1000}, {4, 1000}, {5, 800}};

// The 序号 column numbers the rows, so the grids leave out the row header and give its room
// to the columns; the widths in twips were chosen for a small grid font. A grid is at least as
// tall as `rows` rows under the column header.
DrawGridView* fixedGrid(Database& db, const QString& name, double widthTwips, double heightTwips,
                        int rows, QWidget* parent) {
    auto* grid = new DrawGridView(db, parent);
    grid->setObjectName(name);
    QFont font = grid->font();
    font.setPointSizeF(8);
    grid->setFont(font);
    grid->verticalHeader()->hide();
    const int rowHeight = grid->verticalHeader()->defaultSectionSize();
    const int minimum = (rows + 1) * rowHeight + 6 +
                        grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                        2 * grid->frameWidth();
    grid->setFixedSize(twipsToPixels(widthTwips), std::max(twipsToPixels(heightTwips), minimum));
    return grid;
}

// The captions in column 1 stay readable where the font is wider than the widths allow for.
void showReadable(DrawGridView* grid, const QString& queryText, double defaultTwips,
                  const Widths& widths) {
    if (!showQueryOrWarn(*grid, grid->window(), queryText, defaultTwips, widths))
        return;
    if (static_cast<QAbstractItemView*>(grid)->sizeHintForColumn(1) > grid->columnWidth(1))
        grid->resizeColumnToContents(1);
}

QLineEdit* listBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    return box;
}

void withWaitCursor(const std::function<void()>& work) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    work();
    QApplication::restoreOverrideCursor();
}

} // namespace

NumberCharacteristicsWindow::NumberCharacteristicsWindow(Database& db, QWidget* parent)
    : QWidget(parent), m_db(db) {
    setObjectName(u"Form2"_s);
    setWindowTitle(u"号码特性分析"_s);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildHotColdArea());
    layout->addWidget(buildPairArea(), 1);
    resize(twipsToPixels(kHotColdGridWidthTwips) + 24, 640);
}

QWidget* NumberCharacteristicsWindow::buildHotColdArea() {
    auto* area = new QWidget(this);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);

    // The window box sits in the gap of "请输入需要查询最近        期的数据特性".
    auto* top = new QHBoxLayout;
    top->setSpacing(2);
    top->addWidget(new QLabel(u"请输入需要查询最近"_s, area));
    m_window = new QLineEdit(area);
    m_window->setObjectName(u"Text1"_s);
    m_window->setFixedWidth(56);
    m_window->setAlignment(Qt::AlignCenter);
    top->addWidget(m_window);
    top->addWidget(new QLabel(u"期的数据特性"_s, area));
    top->addSpacing(16);
    connect(addNamedButton(top, u"HQLRTXFX"_s, u"红球冷热特性分析"_s, area), &QPushButton::clicked,
            this, &NumberCharacteristicsWindow::analyseHotCold);
    connect(addNamedButton(top, u"QB"_s, u"分析全部数据特性"_s, area), &QPushButton::clicked, this,
            &NumberCharacteristicsWindow::analyseAll);
    connect(addNamedButton(top, u"FH"_s, u"返回"_s, area), &QPushButton::clicked, this,
            &QWidget::close);
    top->addStretch();
    layout->addLayout(top);

    m_hotColdGrid = fixedGrid(m_db, u"DataGrid1"_s, kHotColdGridWidthTwips, 1735, 5, area);
    layout->addWidget(m_hotColdGrid);

    auto* lists = new QGridLayout;
    m_cold = listBox(u"Text2"_s, area);
    m_warm = listBox(u"Text3"_s, area);
    m_hot = listBox(u"Text4"_s, area);
    lists->addWidget(new QLabel(u"冷号（最冷的9个号）："_s, area), 0, 0);
    lists->addWidget(m_cold, 0, 1);
    lists->addWidget(new QLabel(u"温号（15个温号）："_s, area), 1, 0);
    lists->addWidget(m_warm, 1, 1);
    lists->addWidget(new QLabel(u"热号（最热的9个号）："_s, area), 2, 0);
    lists->addWidget(m_hot, 2, 1);
    lists->setColumnStretch(1, 1);
    layout->addLayout(lists);
    return area;
}

QWidget* NumberCharacteristicsWindow::buildPairArea() {
    auto* area = new QWidget(this);
    auto* layout = new QHBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);

    const auto column = [&](const QString& caption, DrawGridView* grid, const QString& table,
                            const QStringList& sortNames) {
        auto* box = new QVBoxLayout;
        box->addWidget(new QLabel(caption, area));
        box->addWidget(grid);
        auto* sort = new QHBoxLayout;
        const QStringList captions{u"按累计开出次数"_s, u"按遗漏期数"_s, u"按号码序号"_s};
        const QStringList keys{u"累计开出"_s, u"遗漏期数"_s, u"序号"_s};
        for (int k = 0; k < 3; ++k) {
            // A second click on the same button sorts the other way: the longest omissions or
            // the most frequent pairs first.
            const QString query = u"select* from %1 order by %2 "_s.arg(table, keys[k]);
            auto descending = std::make_shared<bool>(true);
            connect(addNamedButton(sort, sortNames[k], captions[k], area), &QPushButton::clicked,
                    this, [this, grid, query, descending] {
                        *descending = !*descending;
                        showSorted(grid, *descending ? query + u"desc "_s : query);
                    });
        }
        box->addLayout(sort);
        layout->addLayout(box);
    };

    m_pairGrid = fixedGrid(m_db, u"DataGrid2"_s, 5555, kPairGridHeightTwips, 0, area);
    m_neighbourGrid = fixedGrid(m_db, u"DataGrid3"_s, 5555, kPairGridHeightTwips, 0, area);

    column(u"任意两个号码开出情况统计:"_s, m_pairGrid, u"rhmtx"_s,
           {u"Command1"_s, u"Command2"_s, u"Command5"_s});

    auto* middle = new QVBoxLayout;
    middle->addSpacing(24);
    connect(addNamedButton(middle, u"RTJ"_s, u"任意两个红球同时出号统计"_s, area),
            &QPushButton::clicked, this, &NumberCharacteristicsWindow::countPairs);
    connect(addNamedButton(middle, u"LHCQ"_s, u"连号出球统计"_s, area), &QPushButton::clicked, this,
            &NumberCharacteristicsWindow::countNeighbours);
    middle->addStretch();
    auto* sortLabel = new QLabel(u"从小到大排序\n（再点一次从大到小）："_s, area);
    sortLabel->setAlignment(Qt::AlignCenter);
    middle->addWidget(sortLabel);
    layout->addLayout(middle);

    column(u"相连号码开出情况统计:"_s, m_neighbourGrid, u"rlhtx"_s,
           {u"Command3"_s, u"Command4"_s, u"Command6"_s});
    layout->addStretch();
    return area;
}

void NumberCharacteristicsWindow::analyseHotCold() {
    HotColdCharacteristics result;
    withWaitCursor(
        [&] { result = analyseHotColdCharacteristics(m_db.connection(), m_window->text()); });
    if (!result.defaultWindowNotice.isEmpty()) {
        prompter().message(this, result.defaultWindowNotice);
        m_window->setText(QString::number(kDefaultHotColdWindow));
    }
    if (!result.ok) {
        prompter().message(this, result.message, Prompter::Icon::Warning);
        return;
    }
    showReadable(m_hotColdGrid, u"select* from hmtx order by 序号 "_s, kHotColdGridTwips,
                 {{0, 400}, {1, 1700}});
    // All 33 numbers side by side, 28 to 33 without scrolling.
    m_hotColdGrid->shareWidthFrom(2);
    m_cold->setText(result.ranking.cold);
    m_warm->setText(result.ranking.warm);
    m_hot->setText(result.ranking.hot);
}

void NumberCharacteristicsWindow::countPairs() {
    countInto(PairList::AllPairs, m_pairGrid);
}

void NumberCharacteristicsWindow::countNeighbours() {
    countInto(PairList::Neighbours, m_neighbourGrid);
}

void NumberCharacteristicsWindow::countInto(PairList list, DrawGridView* grid) {
    PairTableResult result;
    withWaitCursor([&] { result = writePairTable(m_db.connection(), list); });
    if (!result.ok) {
        prompter().message(this, result.message, Prompter::Icon::Warning);
        return;
    }
    showReadable(grid, pairTableQuery(list), kPairGridTwips,
                 list == PairList::AllPairs ? kAllPairWidths : kNeighbourWidths);
}

void NumberCharacteristicsWindow::analyseAll() {
    analyseHotCold();
    countPairs();
    countNeighbours();
}

void NumberCharacteristicsWindow::showSorted(DrawGridView* grid, const QString& queryText) {
    showReadable(grid, queryText, kPairGridTwips, kSortedWidths);
}

} // namespace ssq
