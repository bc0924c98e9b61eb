#include "red/widgets/condition_panel_view.h"

#include "model/indicators.h"
#include "red/condition_panel_rules.h"
#include "ui/twips.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// Box widths in pixels: red numbers take two digits, code digits one, the hot/cold sum of
// condition 37 up to four characters with its sign.
constexpr int kNumberBox = 22;
constexpr int kDigitBox = 20;
constexpr int kRangeBox = 30;
constexpr int kWideRangeBox = 44;
constexpr int kToleranceBox = 32;
constexpr int kBoxHeight = 20;
constexpr int kListColumns = 10;
constexpr double kMarkerFrameTwips = 375;

using namespace panel;
constexpr int kNonTolerantBoxes = kLastNonTolerant - kFirstNonTolerant + 1;
constexpr int kAcCondition = 5;

// Grid columns of a zone: the condition's box and caption, its list, its maximum, its minimum.
constexpr int kCaptionColumn = 0;
constexpr int kListColumn = 1;
constexpr int kMaxColumn = 2;
constexpr int kMinColumn = 3;

QLabel* headerLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    return label;
}

void setTextIfChanged(QLineEdit* box, const QString& text) {
    if (box->text() != text)
        box->setText(text);
}

void setCheckedIfChanged(QCheckBox* box, int value) {
    if (box->isChecked() != (value != 0))
        box->setChecked(value != 0);
}

} // namespace

ConditionPanelView::ConditionPanelView(QWidget* parent) : QWidget(parent) {
    setObjectName(u"ConditionPanel"_s);

    makeZone(1, u"Frame2"_s, u"Check1_0"_s, u"指标一区条件设置（常规指标）"_s);
    makeZone(2, u"Frame3"_s, u"Check2"_s, u"指标二区条件设置（代码指标）"_s);
    makeZone(3, u"Frame4"_s, u"Check3"_s, u"指标三区条件设置（常规增补指标）"_s);
    m_check2 = m_zones[1]->findChild<QCheckBox*>(u"Check2"_s);
    m_check3 = m_zones[2]->findChild<QCheckBox*>(u"Check3"_s);

    m_hotCold = new QPushButton(u"如要使用冷热值指标，请先点此处"_s, m_zones[2]);
    m_hotCold->setObjectName(u"Command5"_s);
    m_hotCold->setEnabled(false);
    // The button sits between the zone box and the condition rows of zone 3.
    auto* zone3 = static_cast<QVBoxLayout*>(m_zones[2]->layout());
    zone3->insertWidget(1, m_hotCold);

    makeConditionRows();
    makeTolerance();
    makeHiddenBoxes();

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(m_zones[2]);
    right->addWidget(m_toleranceFrame);
    right->addStretch(1);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(m_zones[0]);
    row->addWidget(m_zones[1]);
    row->addLayout(right);

    for (QCheckBox* box : m_check1)
        connect(box, &QCheckBox::clicked, this, &ConditionPanelView::conditionBoxClicked);
    connect(m_check4, &QCheckBox::clicked, this, &ConditionPanelView::nonTolerantClicked);
}

void ConditionPanelView::makeZone(int zone, const QString& objectName, const QString& checkName,
                                  const QString& caption) {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(objectName);
    auto* check = new QCheckBox(caption, frame);
    check->setObjectName(checkName);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    grid->addWidget(headerLabel(u"最多"_s, frame), 0, kMaxColumn);
    grid->addWidget(headerLabel(u"最少"_s, frame), 0, kMinColumn);
    // The bounds of every zone stand flush right. Zone 3 has no list beside bounds: its one
    // list runs on under the bound columns, so the spare width goes before them.
    grid->setColumnStretch(zone == 3 ? kCaptionColumn : kListColumn, 1);

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(check, 0, Qt::AlignLeft);
    layout->addLayout(grid);
    layout->addStretch(1);

    m_zones[zone - 1] = frame;
    m_grids[zone - 1] = grid;
    if (zone == 1)
        m_check1[0] = check;
}

void ConditionPanelView::makeConditionRows() {
    std::array<int, kZones> nextRow{1, 1, 1};
    for (int k = 1; k <= kConditions; ++k) {
        const ConditionBoxes& condition = boxesOf(k);
        QGroupBox* frame = m_zones[condition.zone - 1];
        QGridLayout* grid = m_grids[condition.zone - 1];
        const int row = nextRow[condition.zone - 1];

        auto* check = new QCheckBox(QString::fromUtf16(condition.caption), frame);
        check->setObjectName(u"Check1_%1"_s.arg(k));
        m_check1[k] = check;
        grid->addWidget(check, row, kCaptionColumn, Qt::AlignLeft | Qt::AlignTop);

        int rowsUsed = 1;
        if (k == kParityCondition) {
            auto* choices = new QHBoxLayout;
            choices->setSpacing(12);
            m_option1 = new QRadioButton(u"单"_s, frame);
            m_option1->setObjectName(u"Option1"_s);
            m_option2 = new QRadioButton(u"双"_s, frame);
            m_option2->setObjectName(u"Option2"_s);
            m_options = new QButtonGroup(this);
            m_options->addButton(m_option1);
            m_options->addButton(m_option2);
            choices->addWidget(m_option1);
            choices->addWidget(m_option2);
            choices->addStretch(1);
            grid->addLayout(choices, row, kListColumn);
        }
        if (condition.listCount > 0) {
            // A list without bounds may run on under the bound columns.
            const int width = condition.zone == 2 ? kDigitBox : kNumberBox;
            auto* list = new QGridLayout;
            list->setHorizontalSpacing(2);
            list->setVerticalSpacing(1);
            for (int i = 0; i < condition.listCount; ++i)
                list->addWidget(makeBox(condition.listFirst + i, width, frame), i / kListColumns,
                                i % kListColumns);
            list->setColumnStretch(std::min(condition.listCount, kListColumns), 1);
            rowsUsed = (condition.listCount + kListColumns - 1) / kListColumns;
            grid->addLayout(list, row, kListColumn, rowsUsed, condition.hasBounds() ? 1 : 3);
        }
        if (condition.hasBounds()) {
            const int width = k == kHotColdSumCondition ? kWideRangeBox : kRangeBox;
            grid->addWidget(makeBox(condition.max, width, frame), row, kMaxColumn,
                            Qt::AlignHCenter | Qt::AlignTop);
            grid->addWidget(makeBox(condition.min(), width, frame), row, kMinColumn,
                            Qt::AlignHCenter | Qt::AlignTop);
        }
        if (k == kAcCondition) {
            const QString note = QString::fromUtf8(acScaleNote());
            for (QWidget* w :
                 {static_cast<QWidget*>(check), static_cast<QWidget*>(text1(condition.max)),
                  static_cast<QWidget*>(text1(condition.min()))})
                w->setToolTip(note);
        }
        nextRow[condition.zone - 1] += rowsUsed;
    }
}

void ConditionPanelView::makeTolerance() {
    m_toleranceFrame = new QGroupBox(u"容错控制设置"_s, this);
    m_toleranceFrame->setObjectName(u"Frame5"_s);
    m_check4 = new QCheckBox(u"不容错的选项"_s, m_toleranceFrame);
    m_check4->setObjectName(u"Check4"_s);

    // Two rows of six condition numbers; the bounds of the other conditions' failures stand
    // under the last two columns.
    constexpr int perRow = kNonTolerantBoxes / 2;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    grid->addWidget(m_check4, 0, 0, 1, perRow, Qt::AlignLeft);
    for (int i = 0; i < kNonTolerantBoxes; ++i)
        grid->addWidget(makeBox(kFirstNonTolerant + i, kToleranceBox, m_toleranceFrame),
                        1 + i / perRow, i % perRow);
    grid->setRowMinimumHeight(3, 6);
    grid->addWidget(headerLabel(u"最多"_s, m_toleranceFrame), 4, perRow - 2);
    grid->addWidget(headerLabel(u"最少"_s, m_toleranceFrame), 4, perRow - 1);
    grid->addWidget(new QLabel(u"其它选项容错数"_s, m_toleranceFrame), 5, 0, 1, perRow - 2);
    grid->addWidget(makeBox(kToleranceMax, kToleranceBox, m_toleranceFrame), 5, perRow - 2);
    grid->addWidget(makeBox(kToleranceMin, kToleranceBox, m_toleranceFrame), 5, perRow - 1);
    grid->setColumnStretch(perRow, 1);

    auto* layout = new QVBoxLayout(m_toleranceFrame);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addLayout(grid);

    // The markers are read by the selection, never shown: their frame is too small to see.
    auto* markers = new QGroupBox(m_toleranceFrame);
    markers->setObjectName(u"Frame7"_s);
    const int side = twipsToPixels(kMarkerFrameTwips);
    markers->setFixedSize(side, side);
    for (int i = 0; i < kMarkers; ++i) {
        auto* marker = new QLineEdit(markers);
        marker->setObjectName(u"Text3_%1"_s.arg(i));
        marker->setGeometry(0, 0, side, side);
        m_markers[i] = marker;
    }
    markers->hide();
}

// Text1 0 is read by nothing; 170 and 171 hold the 单/双 choice only while it is saved or
// restored. None of them is for the user's eyes.
void ConditionPanelView::makeHiddenBoxes() {
    for (int index : {0, kSavedSingle, kLastText})
        makeBox(index, kDigitBox, this)->hide();
}

QLineEdit* ConditionPanelView::makeBox(int index, int width, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(u"Text1_%1"_s.arg(index));
    box->setFixedSize(width, kBoxHeight);
    box->setAlignment(Qt::AlignCenter);
    box->setTextMargins(0, 0, 0, 0);
    m_text1[index] = box;
    return box;
}

QGroupBox* ConditionPanelView::zoneFrame(int zone) const {
    Q_ASSERT(zone >= 1 && zone <= kZones);
    return m_zones[zone - 1];
}

QCheckBox* ConditionPanelView::zoneCheck(int zone) const {
    Q_ASSERT(zone >= 1 && zone <= kZones);
    return zone == 1 ? m_check1[0] : zone == 2 ? m_check2 : m_check3;
}

QCheckBox* ConditionPanelView::conditionCheck(int index) const {
    Q_ASSERT(index >= 0 && index <= kConditions);
    return m_check1[index];
}

QLineEdit* ConditionPanelView::text1(int index) const {
    Q_ASSERT(index >= 0 && index < kTexts);
    return m_text1[index];
}

QRadioButton* ConditionPanelView::option(int which) const {
    Q_ASSERT(which == 1 || which == 2);
    return which == 1 ? m_option1 : m_option2;
}

QLineEdit* ConditionPanelView::marker(int index) const {
    Q_ASSERT(index >= 0 && index < kMarkers);
    return m_markers[index];
}

void ConditionPanelView::readState(PanelState& state) const {
    for (int i = 0; i < kTexts; ++i)
        if (m_text1[i])
            state.text1[i] = m_text1[i]->text();
    for (int k = 0; k <= kConditions; ++k)
        state.check1[k] = m_check1[k]->isChecked() ? 1 : 0;
    state.check2 = m_check2->isChecked() ? 1 : 0;
    state.check3 = m_check3->isChecked() ? 1 : 0;
    state.check4 = m_check4->isChecked() ? 1 : 0;
    state.option1 = m_option1->isChecked();
    state.option2 = m_option2->isChecked();
    for (int i = 0; i < kMarkers; ++i)
        state.text3[i] = m_markers[i]->text();
}

void ConditionPanelView::showState(const PanelState& state) {
    for (int i = 0; i < kTexts; ++i)
        if (m_text1[i])
            setTextIfChanged(m_text1[i], state.text1[i]);
    for (int k = 0; k <= kConditions; ++k)
        setCheckedIfChanged(m_check1[k], state.check1[k]);
    setCheckedIfChanged(m_check2, state.check2);
    setCheckedIfChanged(m_check3, state.check3);
    setCheckedIfChanged(m_check4, state.check4);
    setOptions(state.option1, state.option2);
    for (int i = 0; i < kMarkers; ++i)
        setTextIfChanged(m_markers[i], state.text3[i]);
}

// An exclusive group cannot be emptied by unchecking its button, and the panel needs "neither".
void ConditionPanelView::setOptions(bool option1, bool option2) {
    m_options->setExclusive(false);
    m_option1->setChecked(option1);
    m_option2->setChecked(option2);
    m_options->setExclusive(true);
}

void ConditionPanelView::conditionBoxClicked() {
    PanelState state;
    readState(state);
    applyConditionBoxClick(state);
    setOptions(state.option1, state.option2);
}

void ConditionPanelView::nonTolerantClicked() {
    PanelState state;
    readState(state);
    applyNonTolerantClick(state);
    for (int i = 0; i < kMarkers; ++i)
        setTextIfChanged(m_markers[i], state.text3[i]);
}

} // namespace ssq
