#include "analysis/widgets/trend_chart_window.h"

#include "analysis/trend_chart_model.h"
#include "analysis/trend_chart_render.h"
#include "red/widgets/system_page_printer.h"
#include "store/database.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Paints each cell from its look, and the rules between the zones and above the statistics.
class TrendCellDelegate : public QStyledItemDelegate {
public:
    TrendCellDelegate(const TrendChartModel* model, QObject* parent)
        : QStyledItemDelegate(parent), m_model(model) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row();
        const int column = index.column();
        paintTrendCell(*painter, option.rect, m_model->look(row, column));
        painter->save();
        painter->setPen(QPen(QColor(0x55, 0x55, 0x55), 2));
        if (TrendChartModel::endsGroup(column))
            painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        if (row == m_model->drawCount() || row == m_model->pickRow())
            painter->drawLine(option.rect.topLeft(), option.rect.topRight());
        painter->restore();
    }

private:
    const TrendChartModel* m_model;
};

} // namespace

TrendChartWindow::TrendChartWindow(Database& db, QWidget* parent, QDate today)
    : QWidget(parent), m_db(db), m_today(today) {
    setObjectName(u"TrendChartWindow"_s);
    setWindowTitle(u"号码走势图"_s);
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* windowLabel = new QLabel(u"显示"_s, this);
    windowLabel->setObjectName(u"Label1"_s);
    m_window = new QComboBox(this);
    m_window->setObjectName(u"Combo1"_s);
    for (int last : kTrendWindows)
        m_window->addItem(last ? u"最近%1期"_s.arg(last) : u"全部"_s, last);
    m_omissions = new QCheckBox(u"显示遗漏"_s, this);
    m_omissions->setObjectName(u"Check1"_s);
    m_omissions->setChecked(true);
    m_layers = new QCheckBox(u"遗漏分层"_s, this);
    m_layers->setObjectName(u"Check2"_s);
    m_layers->setToolTip(u"按遗漏长短给未开出的格子着色：红球遗漏10、20、30期以上，"
                         u"蓝球遗漏30、50、70期以上，颜色依次加深"_s);

    auto* controls = new QHBoxLayout;
    controls->addWidget(windowLabel);
    controls->addWidget(m_window);
    controls->addWidget(m_omissions);
    controls->addWidget(m_layers);
    controls->addStretch(1);
    QPushButton* save = addNamedButton(controls, u"Command3"_s, u"保存图片…"_s, this);
    QPushButton* printButton = addNamedButton(controls, u"Command4"_s, u"打印"_s, this);

    m_model = new TrendChartModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(u"DataGrid1"_s);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new TrendCellDelegate(m_model, m_grid));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setFocusPolicy(Qt::NoFocus);
    m_grid->setWordWrap(false);
    const TrendLayout layout = screenTrendLayout();
    QHeaderView* columns = m_grid->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setMinimumSectionSize(1);
    for (int c = 0; c < TrendChartModel::kColumns; ++c)
        columns->resizeSection(c, static_cast<int>(layout.columnWidth(c)));
    QHeaderView* rows = m_grid->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(static_cast<int>(layout.rowHeight));
    rows->setFixedWidth(static_cast<int>(layout.rowTitleWidth));
    rows->setDefaultAlignment(Qt::AlignCenter);

    auto* pickLabel = new QLabel(u"选号（在最下面一行点击号码）："_s, this);
    pickLabel->setObjectName(u"Label2"_s);
    m_pick = new QLabel(this);
    m_pick->setObjectName(u"Label3"_s);
    m_pick->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* pickRow = new QHBoxLayout;
    pickRow->addWidget(pickLabel);
    pickRow->addWidget(m_pick, 1);
    QPushButton* copy = addNamedButton(pickRow, u"Command2"_s, u"复制选号"_s, this);
    QPushButton* clear = addNamedButton(pickRow, u"Command5"_s, u"清除选号"_s, this);
    QPushButton* close = addNamedButton(pickRow, u"Command1"_s, u"关闭"_s, this);

    auto* main = new QVBoxLayout(this);
    main->addLayout(controls);
    main->addWidget(m_grid, 1);
    main->addLayout(pickRow);
    resize(1240, 720);

    connect(m_window, &QComboBox::currentIndexChanged, this, &TrendChartWindow::loadChart);
    connect(m_omissions, &QCheckBox::toggled, m_model, &TrendChartModel::setOmissionsShown);
    connect(m_layers, &QCheckBox::toggled, m_model, &TrendChartModel::setLayersShown);
    connect(m_grid, &QTableView::clicked, this, &TrendChartWindow::cellClicked);
    connect(copy, &QPushButton::clicked, this, &TrendChartWindow::copyPick);
    connect(clear, &QPushButton::clicked, m_model, &TrendChartModel::clearPick);
    connect(m_model, &TrendChartModel::dataChanged, this,
            [this] { m_pick->setText(m_model->pickText()); });
    connect(save, &QPushButton::clicked, this, &TrendChartWindow::saveImage);
    connect(printButton, &QPushButton::clicked, this, &TrendChartWindow::print);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    loadChart();
}

TrendChartWindow::~TrendChartWindow() = default;

bool TrendChartWindow::loadChart() {
    const bool opening = m_shownIndex < 0;
    TrendChartLoad load =
        loadTrendChart(m_db.connection(), m_window->currentData().toInt(), m_today, opening);
    if (!load.chart) {
        prompter().message(this, load.message, Prompter::Icon::Warning);
        // The chart keeps what it showed, and the choice says so again.
        if (m_shownIndex >= 0 && m_shownIndex != m_window->currentIndex()) {
            const QSignalBlocker quiet(m_window);
            m_window->setCurrentIndex(m_shownIndex);
        }
        return false;
    }
    if (opening && load.chart->rowCount() < m_window->currentData().toInt()) {
        const QSignalBlocker quiet(m_window);
        m_window->setCurrentIndex(m_window->count() - 1);
    }
    m_shownIndex = m_window->currentIndex();
    m_model->setChart(std::move(*load.chart), load.decade);
    m_pick->setText(m_model->pickText());
    // The newest draw at the bottom, in view with the statistics under it.
    m_grid->scrollToBottom();
    return true;
}

void TrendChartWindow::cellClicked(const QModelIndex& index) {
    if (index.row() == m_model->pickRow())
        m_model->togglePick(index.column());
}

void TrendChartWindow::copyPick() {
    QApplication::clipboard()->setText(m_model->pickText());
}

void TrendChartWindow::saveImage() {
    const QString path = askSavePath(this, u"保存图片"_s, u"PNG 图片 (*.png)"_s, u".png"_s);
    if (path.isEmpty())
        return;
    if (!trendChartImage(*m_model).save(path, "PNG")) {
        prompter().message(this, u"图片保存失败，无法写入文件“%1”"_s.arg(path),
                           Prompter::Icon::Warning);
        return;
    }
    prompter().message(this, u"图片已保存到文件“%1”"_s.arg(path));
}

void TrendChartWindow::print() {
    if (m_model->drawCount() == 0)
        return;
    SystemPagePrinter system;
    PagePrinter& printer = m_printer ? *m_printer : system;
    QString error;
    if (!printer.printPages(
            trendChartPages(*m_model, windowTitle() + u"  "_s + m_window->currentText()), &error)) {
        prompter().message(this, error, Prompter::Icon::Warning);
        return;
    }
    prompter().message(this, u"走势图已送往打印机"_s);
}

} // namespace ssq
