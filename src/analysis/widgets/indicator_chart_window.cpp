#include "analysis/widgets/indicator_chart_window.h"

#include "analysis/indicator_chart_items.h"
#include "model/leading_number_text.h"
#include "store/database.h"
#include "store/output_target.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kMaxAxisLabels = 25;  // issue labels beyond this are thinned out
constexpr int kMaxPointLabels = 60; // beyond this the value labels get a smaller font

QChartView* chartView(const QString& name, QWidget* parent) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void clearChart(QChart& chart) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
}

// The issues along the bottom, oldest left; with many issues only every k-th is written, the
// newest always.
QCategoryAxis* issueAxis(const QStringList& issues) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const int count = static_cast<int>(issues.size());
    // Room beside the first and the newest point for half a value label ("100") at any count.
    const double room = 0.6 + count * 0.025;
    axis->setRange(-room, std::max(count, 1) - 1 + room);
    const int step = std::max(1, (count + kMaxAxisLabels - 1) / kMaxAxisLabels);
    // Labels go in rising order; counting back from the newest keeps it labelled.
    for (int r = (count - 1) % step; r < count; r += step)
        axis->append(issues[r], r);
    if (count > 12)
        axis->setLabelsAngle(-90);
    axis->setGridLineVisible(false);
    return axis;
}

// The value axis scales to the values, with room above the highest for its label.
QValueAxis* valueAxis(const QList<float>& values) {
    auto* axis = new QValueAxis;
    float low = 0;
    float high = 1;
    if (!values.isEmpty()) {
        low = std::min(0.0f, *std::min_element(values.begin(), values.end()));
        high = std::max(low + 1, *std::max_element(values.begin(), values.end()));
    }
    axis->setRange(low, high + (high - low) * 0.15);
    axis->applyNiceNumbers();
    axis->setLabelFormat(u"%g"_s);
    return axis;
}

// Both charts show the issues along the bottom and the values up the left.
void addAxes(QChart& chart, QAbstractSeries* series, const IndicatorChart& shown) {
    QAbstractAxis* x = issueAxis(shown.issues);
    QAbstractAxis* y = valueAxis(shown.values);
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

} // namespace

IndicatorChartWindow::IndicatorChartWindow(Database& db, QWidget* parent)
    : QMainWindow(parent), m_db(db) {
    setObjectName(u"Form6"_s);
    setWindowTitle(u"折线图"_s);
    buildMenus();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildTopRow());
    m_lineView = chartView(u"MSChart1"_s, central);
    layout->addWidget(m_lineView, 3);
    auto* barLabel = new QLabel(u"对应柱状图："_s, central);
    barLabel->setObjectName(u"Label1"_s);
    layout->addWidget(barLabel);
    m_barView = chartView(u"MSChart2"_s, central);
    layout->addWidget(m_barView, 2);
    auto* hint = new QLabel(u"提示：点击图中折线，显示所有数据点位置标记"_s, central);
    hint->setObjectName(u"Label3"_s);
    layout->addWidget(hint);
    setCentralWidget(central);
    resize(1000, 720);
}

void IndicatorChartWindow::buildMenus() {
    for (const IndicatorChartMenu& m : indicatorChartMenus()) {
        QMenu* menu = addNamedMenu(menuBar(), m.name, m.caption);
        for (const IndicatorChartItem& item : indicatorChartItems()) {
            if (item.menu != m.name)
                continue;
            QAction* action = menu->addAction(item.caption);
            action->setObjectName(item.name);
            const int column = item.column;
            connect(action, &QAction::triggered, this, [this, column] { drawChart(column); });
        }
    }
    QAction* back = menuBar()->addAction(u"返回"_s);
    back->setObjectName(u"FH"_s);
    connect(back, &QAction::triggered, this, &QWidget::close);
}

QWidget* IndicatorChartWindow::buildTopRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    // The count box sits in the gap of "请选择折线图显示范围：从最近       期开始显示".
    auto* before = new QLabel(u"请选择折线图显示范围：从最近"_s, row);
    before->setObjectName(u"Label2"_s);
    layout->addWidget(before);
    m_count = new QLineEdit(row);
    m_count->setObjectName(u"Text1"_s);
    // Wide enough for every count the load accepts ("1000" read whole, not as "100").
    m_count->setMaxLength(5);
    m_count->setFixedWidth(m_count->fontMetrics().horizontalAdvance(u"000000"_s) + 12);
    m_count->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_count);
    layout->addWidget(new QLabel(u"期开始显示"_s, row));
    layout->addSpacing(16);
    connect(addNamedButton(layout, u"Command1"_s, u"请点击此按钮载入指标数据"_s, row),
            &QPushButton::clicked, this, &IndicatorChartWindow::loadData);
    connect(addNamedButton(layout, u"BCTP"_s, u"保存图片…"_s, row), &QPushButton::clicked, this,
            &IndicatorChartWindow::saveImage);
    layout->addStretch();
    return row;
}

void IndicatorChartWindow::loadData() {
    QString wanted = m_count->text();
    if (numberOf(wanted) < 1) {
        wanted =
            prompter().input(this, u"请输入图表需要显示最近多少期的数据?"_s).value_or(QString());
        m_count->setText(wanted);
        if (wanted.isEmpty())
            return;
    }
    const IndicatorChartLoad load = loadIssues(wanted);
    prompter().message(this, load.message,
                       load.ok ? Prompter::Icon::Information : Prompter::Icon::Warning);
}

IndicatorChartLoad IndicatorChartWindow::loadIssues(const QString& wantedText) {
    IndicatorChartLoad load = loadIndicatorChart(m_db.connection(), wantedText);
    if (load.ok)
        m_data = load.data;
    return load;
}

void IndicatorChartWindow::drawChart(int column) {
    m_shown = indicatorChart(m_data, column);
    drawLine();
    drawBars();
}

void IndicatorChartWindow::drawLine() {
    QChart& chart = *m_lineView->chart();
    clearChart(chart);
    chart.setTitle(m_shown.title);
    auto* line = new QLineSeries;
    for (int r = 0; r < m_shown.values.size(); ++r)
        line->append(r, m_shown.values[r]);
    line->setPointLabelsVisible(true);
    line->setPointLabelsFormat(u"@yPoint"_s);
    line->setPointLabelsClipping(false);
    if (m_shown.values.size() > kMaxPointLabels) {
        QFont small = line->pointLabelsFont();
        small.setPointSizeF(small.pointSizeF() * 0.75);
        line->setPointLabelsFont(small);
    }
    chart.addSeries(line);
    addAxes(chart, line, m_shown);
    connect(line, &QLineSeries::hovered, this, [this](const QPointF& point, bool inside) {
        if (inside)
            showPointTip(qRound(point.x()));
    });
    // Clicking the line marks every data point.
    connect(line, &QLineSeries::clicked, line, [line] { line->setPointsVisible(true); });
}

void IndicatorChartWindow::drawBars() {
    QChart& chart = *m_barView->chart();
    clearChart(chart);
    auto* set = new QBarSet(QString());
    for (float v : std::as_const(m_shown.values))
        set->append(v);
    auto* bars = new QBarSeries;
    bars->append(set);
    chart.addSeries(bars);
    addAxes(chart, bars, m_shown);
    connect(set, &QBarSet::hovered, this, [this](bool inside, int index) {
        if (inside)
            showPointTip(index);
    });
}

void IndicatorChartWindow::showPointTip(int index) {
    if (index < 0 || index >= m_shown.values.size())
        return;
    QToolTip::showText(QCursor::pos(), u"%1期：%2"_s.arg(m_shown.issues[index],
                                                         chartValueText(m_shown.values[index])));
}

void IndicatorChartWindow::saveImage() {
    const QString path = askSavePath(this, u"保存图片"_s, u"PNG 图片 (*.png)"_s, u".png"_s);
    if (path.isEmpty())
        return;
    if (const QString problem = outputTargetProblem(path); !problem.isEmpty()) {
        prompter().message(this, problem, Prompter::Icon::Warning);
        return;
    }
    const QPixmap line = m_lineView->grab();
    const QPixmap bars = m_barView->grab();
    QImage image(std::max(line.width(), bars.width()), line.height() + bars.height(),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, line);
    painter.drawPixmap(0, line.height(), bars);
    painter.end();
    if (!image.save(path, "PNG")) {
        prompter().message(this, u"图片保存失败，无法写入文件“%1”"_s.arg(path),
                           Prompter::Icon::Warning);
        return;
    }
    prompter().message(this, u"图片已保存到文件“%1”"_s.arg(path));
}

} // namespace ssq
