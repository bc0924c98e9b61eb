#include "red/condition_panel_view.h"

#include "ui/twips.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Room for the condition rows of each zone within a 1024 × 768 screen.
constexpr int kZone1Width = 340;
constexpr int kZone2Width = 360;
constexpr int kRightColumnWidth = 290;
constexpr int kPanelHeight = 500;
constexpr int kZone3Height = 300;
constexpr double kMarkerFrameTwips = 375;

} // namespace

ConditionPanelView::ConditionPanelView(QWidget* parent) : QWidget(parent) {
    setObjectName(u"ConditionPanel"_s);

    makeZone(1, u"Frame2"_s, u"Check1_0"_s, u"指标一区条件设置（常规指标）"_s);
    makeZone(2, u"Frame3"_s, u"Check2"_s, u"指标二区条件设置（代码指标）"_s);
    makeZone(3, u"Frame4"_s, u"Check3"_s, u"指标三区条件设置（常规增补指标）"_s);

    m_hotCold = new QPushButton(u"如要使用冷热值指标，请先点此处"_s, m_zones[2]);
    m_hotCold->setObjectName(u"Command5"_s);
    m_hotCold->setEnabled(false);
    // The button sits between the zone box and the condition rows of zone 3.
    auto* zone3 = static_cast<QVBoxLayout*>(m_zones[2]->layout());
    zone3->insertWidget(1, m_hotCold);

    m_toleranceFrame = new QGroupBox(u"容错控制设置"_s, this);
    m_toleranceFrame->setObjectName(u"Frame5"_s);
    auto* toleranceLayout = new QVBoxLayout(m_toleranceFrame);
    toleranceLayout->setContentsMargins(6, 4, 6, 6);
    m_toleranceGrid = new QGridLayout;
    m_toleranceGrid->setSpacing(2);
    toleranceLayout->addLayout(m_toleranceGrid);
    toleranceLayout->addStretch(1);
    makeMarkers();

    m_zones[0]->setMinimumSize(kZone1Width, kPanelHeight);
    m_zones[1]->setMinimumSize(kZone2Width, kPanelHeight);
    m_zones[2]->setMinimumSize(kRightColumnWidth, kZone3Height);
    m_toleranceFrame->setMinimumWidth(kRightColumnWidth);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(m_zones[2], 3);
    right->addWidget(m_toleranceFrame, 2);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(m_zones[0], 34);
    row->addWidget(m_zones[1], 36);
    row->addLayout(right, 29);
}

QGroupBox* ConditionPanelView::makeZone(int zone, const QString& objectName,
                                        const QString& checkName, const QString& caption) {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(objectName);
    auto* check = new QCheckBox(caption, frame);
    check->setObjectName(checkName);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(1);

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(check);
    layout->addLayout(grid);
    layout->addStretch(1);

    m_zones[zone - 1] = frame;
    m_zoneChecks[zone - 1] = check;
    m_grids[zone - 1] = grid;
    return frame;
}

// The markers are read by the engine, never shown: their frame is too small to see and hidden.
void ConditionPanelView::makeMarkers() {
    auto* frame = new QGroupBox(m_toleranceFrame);
    frame->setObjectName(u"Frame7"_s);
    const int side = twipsToPixels(kMarkerFrameTwips);
    frame->setFixedSize(side, side);
    for (int i = 0; i < kMarkers; ++i) {
        auto* marker = new QLineEdit(frame);
        marker->setObjectName(u"Text3_%1"_s.arg(i));
        marker->setGeometry(0, 0, side, side);
        m_markers[i] = marker;
    }
    frame->hide();
}

QGroupBox* ConditionPanelView::zoneFrame(int zone) const {
    Q_ASSERT(zone >= 1 && zone <= kZones);
    return m_zones[zone - 1];
}

QCheckBox* ConditionPanelView::zoneCheck(int zone) const {
    Q_ASSERT(zone >= 1 && zone <= kZones);
    return m_zoneChecks[zone - 1];
}

QGridLayout* ConditionPanelView::conditionGrid(int zone) const {
    Q_ASSERT(zone >= 1 && zone <= kZones);
    return m_grids[zone - 1];
}

QLineEdit* ConditionPanelView::marker(int index) const {
    Q_ASSERT(index >= 0 && index < kMarkers);
    return m_markers[index];
}

} // namespace ssq
