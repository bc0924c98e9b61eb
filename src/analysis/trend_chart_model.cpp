#include "analysis/trend_chart_model.h"

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

const std::array<QString, TrendChartModel::kStatisticsRows>& statisticsTitles() {
    static const std::array<QString, TrendChartModel::kStatisticsRows> titles{
        u"出现次数"_s, u"平均遗漏"_s, u"最大遗漏"_s, u"最大连出"_s, u"当前遗漏"_s};
    return titles;
}

// The plain background of a column: the middle red zone and the blues set apart.
QColor columnBackground(int column) {
    if (column >= 11 && column < 22)
        return QColor(0xf4, 0xf4, 0xf0);
    if (column >= kRedMax && column < kTrendNumbers)
        return QColor(0xf0, 0xf5, 0xfc);
    return QColor(Qt::white);
}

// Shades of "遗漏分层", lightest first.
QColor layerColour(int layer) {
    static const std::array<QColor, 3> shades{QColor(0xff, 0xf1, 0xc8), QColor(0xff, 0xd8, 0x96),
                                              QColor(0xf5, 0xb0, 0x6e)};
    return shades[static_cast<std::size_t>(layer)];
}

} // namespace

QColor trendRedBall() {
    return QColor(0xd9, 0x2b, 0x2b);
}

QColor trendBlueBall() {
    return QColor(0x1f, 0x5f, 0xc8);
}

TrendChartModel::TrendChartModel(QObject* parent) : QAbstractTableModel(parent) {}

void TrendChartModel::setChart(TrendChart chart, int decade) {
    beginResetModel();
    m_chart = std::move(chart);
    m_decade = decade;
    m_issues.clear();
    m_issues.reserve(static_cast<std::size_t>(m_chart.rowCount()));
    m_indicators.clear();
    m_indicators.reserve(static_cast<std::size_t>(m_chart.rowCount()));
    for (int r = 0; r < m_chart.rowCount(); ++r) {
        m_issues.push_back(trendIssueText(m_chart, r, decade));
        std::array<QString, kTrendIndicators>& texts = m_indicators.emplace_back();
        for (int i = 0; i < kTrendIndicators; ++i)
            texts[static_cast<std::size_t>(i)] =
                trendIndicatorText(m_chart.row(r), static_cast<TrendIndicator>(i));
    }
    endResetModel();
}

void TrendChartModel::setOmissionsShown(bool shown) {
    if (m_showOmissions == shown)
        return;
    m_showOmissions = shown;
    restyle();
}

void TrendChartModel::setLayersShown(bool shown) {
    if (m_layers == shown)
        return;
    m_layers = shown;
    restyle();
}

void TrendChartModel::restyle() {
    if (drawCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(drawCount() - 1, kColumns - 1));
}

void TrendChartModel::togglePick(int column) {
    if (column < 0 || column >= kTrendNumbers)
        return;
    m_pick.flip(static_cast<std::size_t>(column));
    const QModelIndex cell = index(pickRow(), column);
    Q_EMIT dataChanged(cell, cell);
}

void TrendChartModel::clearPick() {
    m_pick.reset();
    Q_EMIT dataChanged(index(pickRow(), 0), index(pickRow(), kTrendNumbers - 1));
}

QString TrendChartModel::pickText() const {
    std::vector<int> reds, blues;
    for (int c = 0; c < kTrendNumbers; ++c)
        if (m_pick[static_cast<std::size_t>(c)])
            (trendColumnIsRed(c) ? reds : blues).push_back(trendColumnNumber(c));
    return trendPickText(reds, blues);
}

QString TrendChartModel::columnTitle(int column) {
    if (column < kTrendNumbers)
        return QString::number(trendColumnNumber(column)).rightJustified(2, u'0');
    return trendIndicatorTitle(static_cast<TrendIndicator>(column - kIndicatorColumn));
}

QString TrendChartModel::rowTitle(int row) const {
    if (row < drawCount())
        return m_issues[static_cast<std::size_t>(row)];
    if (row < pickRow())
        return statisticsTitles()[static_cast<std::size_t>(row - drawCount())];
    return u"选号"_s;
}

bool TrendChartModel::endsGroup(int column) {
    return column == 10 || column == 21 || column == kRedMax - 1 || column == kTrendNumbers - 1;
}

int TrendChartModel::statistic(int index, int column) const {
    const TrendStatistics& s = m_chart.statistics(column);
    const std::array<int, kStatisticsRows> values{s.appearances, s.averageOmission, s.maxOmission,
                                                  s.maxRun, s.currentOmission};
    return values[static_cast<std::size_t>(index)];
}

TrendCellLook TrendChartModel::look(int row, int column) const {
    TrendCellLook look;
    look.background = columnBackground(column);
    const bool number = column < kTrendNumbers;
    if (row < drawCount()) {
        const TrendRow& draw = m_chart.row(row);
        if (!number) {
            look.kind = TrendCellLook::Kind::Indicator;
            look.text = m_indicators[static_cast<std::size_t>(row)]
                                    [static_cast<std::size_t>(column - kIndicatorColumn)];
            return look;
        }
        if (draw.holds(column)) {
            look.kind = TrendCellLook::Kind::Ball;
            look.text = columnTitle(column);
            look.ball = trendColumnIsRed(column) ? trendRedBall() : trendBlueBall();
            return look;
        }
        const int omission = draw.omission[static_cast<std::size_t>(column)];
        if (m_layers) {
            const auto& layers = trendColumnIsRed(column) ? kRedLayers : kBlueLayers;
            for (int l = 2; l >= 0; --l)
                if (omission >= layers[static_cast<std::size_t>(l)]) {
                    look.background = layerColour(l);
                    break;
                }
        }
        look.kind = TrendCellLook::Kind::Omission;
        if (m_showOmissions)
            look.text = QString::number(omission);
        return look;
    }
    if (!number)
        return look;
    if (row < pickRow()) {
        look.kind = TrendCellLook::Kind::Statistic;
        look.background = QColor(0xfa, 0xfa, 0xf2);
        look.text = QString::number(statistic(row - drawCount(), column));
        return look;
    }
    look.kind = TrendCellLook::Kind::Pick;
    look.text = columnTitle(column);
    look.marked = m_pick[static_cast<std::size_t>(column)];
    look.ball = trendColumnIsRed(column) ? trendRedBall() : trendBlueBall();
    return look;
}

int TrendChartModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || drawCount() == 0 ? 0 : pickRow() + 1;
}

int TrendChartModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant TrendChartModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return look(index.row(), index.column()).text;
    if (role == Qt::ToolTipRole && index.row() == pickRow() && index.column() < kTrendNumbers)
        return u"点击号码标记选号，再点一次取消"_s;
    return {};
}

QVariant TrendChartModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < rowCount())
            return rowTitle(section);
        return {};
    }
    if (section < 0 || section >= kColumns)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return columnTitle(section);
    case Qt::ForegroundRole:
        if (section < kTrendNumbers)
            return trendColumnIsRed(section) ? trendRedBall() : trendBlueBall();
        return {};
    case Qt::ToolTipRole:
        if (section == kIndicatorColumn + static_cast<int>(TrendIndicator::Ac))
            return trendAcToolTip();
        if (section < kTrendNumbers)
            return trendColumnIsRed(section)
                       ? u"红球%1（%2区）"_s.arg(columnTitle(section)).arg(section / 11 + 1)
                       : u"蓝球%1"_s.arg(columnTitle(section));
        return {};
    default:
        return {};
    }
}

} // namespace ssq
