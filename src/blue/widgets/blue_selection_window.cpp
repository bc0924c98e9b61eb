#include "blue/widgets/blue_selection_window.h"

#include "blue/blue_analysis.h"
#include "blue/blue_controls_file.h"
#include "blue/blue_option_set.h"
#include "blue/blue_selection.h"
#include "model/red_code.h"
#include "store/database.h"
#include "store/widgets/draw_grid_view.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kBoxHeight = 20;
constexpr int kCharWidth = 12;
constexpr int kResultWidth = 26;
constexpr double kDistributionTwips = 550;
constexpr double kIndicatorTwips = 955;
constexpr double kIssueTwips = 900;
constexpr double kMarkTwips = 390.0473;
constexpr double kAnalysisTwips = 450;
constexpr double kAnalysisLabelTwips = 1800;
constexpr double kOptionTwips = 1200;

const QString kDistributionQuery =
    u"select 期号,L1,L2,L3,L4,L5,L6,L7,L8,L9,L10,L11,L12,L13,L14,L15,L16 from kjhm order by 期号 "_s;
const QString kFileFilter = u"蓝球设置文件 (*.ssqblue.json *.json)"_s;

QAction* addItem(QWidget* menu, const QString& name, const QString& caption) {
    auto* item = new QAction(caption, menu);
    item->setObjectName(name);
    menu->addAction(item);
    return item;
}

QGroupBox* namedFrame(const QString& caption, const QString& name, QWidget* parent) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    return frame;
}

// The condition frames lay their rows out alike.
QGridLayout* frameGrid(QGroupBox* frame) {
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setVerticalSpacing(3);
    return grid;
}

QLabel* header(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void setTextIfChanged(QLineEdit* box, const QString& text) {
    if (box->text() != text)
        box->setText(text);
}

} // namespace

BlueSelectionWindow::BlueSelectionWindow(Database& db, QWidget* parent)
    : QMainWindow(parent), m_db(db) {
    setObjectName(u"Form3"_s);
    setWindowTitle(u"蓝球选号"_s);
    buildMenus();

    m_grid1 = new DrawGridView(m_db, this);
    m_grid2 = new DrawGridView(m_db, this);
    m_grid2->setObjectName(u"DataGrid2"_s);
    m_grid2->setFixedHeight(124);
    m_grid3 = new DrawGridView(m_db, this);
    m_grid3->setObjectName(u"DataGrid3"_s);
    m_grid3->setFixedHeight(72);

    auto* grids = new QVBoxLayout;
    grids->setSpacing(4);
    grids->addWidget(m_grid2);
    grids->addWidget(m_grid1, 1);

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(buildConditions());
    top->addLayout(grids, 1);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(top, 1);
    layout->addWidget(m_grid3);
    setCentralWidget(central);
    // Wide enough for the sixteen blue columns of both grids beside the conditions.
    resize(1240, 700);
}

void BlueSelectionWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    connect(addItem(bar, u"LQXH"_s, u"蓝球选号"_s), &QAction::triggered, this,
            &BlueSelectionWindow::runSelection);

    QMenu* history = addNamedMenu(bar, u"LQZJZB"_s, u"历史开奖数据查看"_s);
    connect(addItem(history, u"HMFB"_s, u"蓝球历史开奖号码分布"_s), &QAction::triggered, this,
            &BlueSelectionWindow::showDistribution);
    connect(addItem(history, u"KJZB"_s, u"蓝球历史开奖指标"_s), &QAction::triggered, this,
            &BlueSelectionWindow::showIndicators);

    connect(addItem(bar, u"CQCS"_s, u"蓝球号码分析"_s), &QAction::triggered, this,
            &BlueSelectionWindow::analyse);

    QMenu* options = addNamedMenu(bar, u"TJCC"_s, u"条件操作"_s);
    connect(addItem(options, u"XXCD"_s, u"选项存档"_s), &QAction::triggered, this,
            &BlueSelectionWindow::saveOptions);
    connect(addItem(options, u"SZZX"_s, u"设置再现"_s), &QAction::triggered, this,
            &BlueSelectionWindow::restoreOptions);
    options->addSeparator();
    connect(addItem(options, u"BCWJ"_s, u"保存设置到文件…"_s), &QAction::triggered, this,
            &BlueSelectionWindow::saveToFile);
    connect(addItem(options, u"ZRWJ"_s, u"从文件载入设置…"_s), &QAction::triggered, this,
            &BlueSelectionWindow::loadFromFile);

    connect(addItem(bar, u"LQFH"_s, u"返回"_s), &QAction::triggered, this, &QWidget::close);
}

QCheckBox* BlueSelectionWindow::makeCheck(int index, const QString& caption, QWidget* parent,
                                          const QString& tip) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(u"Check%1"_s.arg(index));
    if (!tip.isEmpty())
        box->setToolTip(tip);
    m_check[index] = box;
    return box;
}

QLineEdit* BlueSelectionWindow::makeText(int index, int maxChars, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(u"Text%1"_s.arg(index));
    box->setFixedSize(kCharWidth * std::max(maxChars, 1) + 12, kBoxHeight);
    box->setAlignment(Qt::AlignCenter);
    // Limits what is typed only; restored and loaded texts are shown whole, as they are used.
    box->setValidator(
        new QRegularExpressionValidator(QRegularExpression(u".{0,%1}"_s.arg(maxChars)), box));
    m_text[index] = box;
    return box;
}

// Two-digit boxes first..last in a row, left-aligned.
QHBoxLayout* BlueSelectionWindow::makeTextRow(int first, int last, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    for (int t = first; t <= last; ++t)
        row->addWidget(makeText(t, 2, parent));
    row->addStretch(1);
    return row;
}

QWidget* BlueSelectionWindow::buildConditions() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(buildNumberFrame());
    layout->addWidget(buildCodeFrame());
    layout->addWidget(buildToleranceFrame());
    layout->addWidget(buildResultFrame());
    layout->addWidget(buildLegend());
    layout->addStretch(1);
    column->setFixedWidth(470);
    return column;
}

QGroupBox* BlueSelectionWindow::buildNumberFrame() {
    auto* frame = namedFrame(u"常规指标"_s, u"NumberFrame"_s, this);
    auto* grid = frameGrid(frame);

    grid->addWidget(makeCheck(3, u"1、淘汰号"_s, frame, u"不会开出的号"_s), 0, 0);
    grid->addLayout(makeTextRow(1, 10, frame), 0, 1);

    grid->addWidget(makeCheck(1, u"2、大小"_s, frame, u"蓝球本身号码的大小特性"_s), 1, 0);
    m_option1 = new QRadioButton(u"小号(1-8)"_s, frame);
    m_option1->setObjectName(u"Option1"_s);
    m_option2 = new QRadioButton(u"大号(9-16)"_s, frame);
    m_option2->setObjectName(u"Option2"_s);
    m_options = new QButtonGroup(this);
    m_options->addButton(m_option1);
    m_options->addButton(m_option2);
    auto* size = new QHBoxLayout;
    size->addWidget(m_option1);
    size->addWidget(m_option2);
    size->addStretch(1);
    grid->addLayout(size, 1, 1);

    grid->addWidget(makeCheck(2, u"3、单双"_s, frame, u"蓝球本身号码的奇偶特性"_s), 2, 0);
    auto* parity = new QHBoxLayout;
    parity->addWidget(makeCheck(13, u"单"_s, frame));
    parity->addWidget(makeCheck(14, u"双"_s, frame));
    parity->addStretch(1);
    grid->addLayout(parity, 2, 1);
    grid->setColumnStretch(1, 1);
    return frame;
}

QGroupBox* BlueSelectionWindow::buildCodeFrame() {
    auto* frame = namedFrame(u"代码指标"_s, u"CodeFrame"_s, this);
    auto* grid = frameGrid(frame);
    grid->setHorizontalSpacing(10);

    struct Range {
        int check;
        QString caption;
        int maxBox;
        int chars;
        QString tip;
    };
    const QString code = u"代码一律为两位数，这两个数"_s;
    const std::array<Range, 6> ranges{{
        {4, u"4、大号个数"_s, 11, 1, code + u"中，数值3和4有多少个"_s},
        {5, u"5、奇号个数"_s, 13, 1, code + u"中，数值1和3有多少个"_s},
        {6, u"6、质数个数"_s, 15, 1, code + u"中，数值2和3有多少个"_s},
        {7, u"7、代码和值"_s, 17, 1, code + u"的和的范围"_s},
        {8, u"8、代码积值"_s, 19, 2, code + u"的积的范围"_s},
        {10, u"9、代码跨度"_s, 21, 1, code + u"之差的范围"_s},
    }};
    // Counts are bounded by 最多/最少, the values of the digits by 最大/最小.
    grid->addWidget(header(u"最多"_s, frame), 0, 1);
    grid->addWidget(header(u"最少"_s, frame), 0, 2);
    int row = 1;
    for (const Range& r : ranges) {
        if (r.check == 7) {
            grid->addWidget(header(u"最大"_s, frame), row, 1);
            grid->addWidget(header(u"最小"_s, frame), row, 2);
            ++row;
        }
        grid->addWidget(makeCheck(r.check, r.caption, frame, r.tip), row, 0);
        grid->addWidget(makeText(r.maxBox, r.chars, frame), row, 1, Qt::AlignCenter);
        grid->addWidget(makeText(r.maxBox + 1, r.chars, frame), row, 2, Qt::AlignCenter);
        ++row;
    }
    grid->addWidget(makeCheck(9, u"10、代码连号"_s, frame, code + u"是否为连号"_s), row, 0);
    auto* adjacent = new QHBoxLayout;
    adjacent->addWidget(makeCheck(15, u"有"_s, frame));
    adjacent->addWidget(makeCheck(16, u"无"_s, frame));
    grid->addLayout(adjacent, row, 1, 1, 2);
    grid->setColumnStretch(3, 1);
    return frame;
}

QGroupBox* BlueSelectionWindow::buildToleranceFrame() {
    auto* frame = namedFrame(u"容错设置"_s, u"ToleranceFrame"_s, this);
    auto* grid = frameGrid(frame);

    grid->addWidget(makeCheck(11, u"不允许容错的选项："_s, frame), 0, 0);
    grid->addLayout(makeTextRow(blue::kFirstStrict, blue::kLastStrict, frame), 0, 1);

    grid->addWidget(makeCheck(12, u"其他选项容错："_s, frame), 1, 0);
    auto* range = new QHBoxLayout;
    range->setSpacing(4);
    range->addWidget(new QLabel(u"最多"_s, frame));
    range->addWidget(makeText(blue::kMostFailures, 2, frame));
    range->addWidget(new QLabel(u"最少"_s, frame));
    range->addWidget(makeText(blue::kFewestFailures, 2, frame));
    range->addStretch(1);
    grid->addLayout(range, 1, 1);
    grid->setColumnStretch(1, 1);
    return frame;
}

QGroupBox* BlueSelectionWindow::buildResultFrame() {
    auto* frame = namedFrame(u"号码显示"_s, u"ResultFrame"_s, this);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    auto* numbers = new QGridLayout;
    numbers->setSpacing(2);
    for (int i = 0; i < blue::kNumbers; ++i) {
        QLineEdit* box = makeText(blue::kFirstResult + i, 2, frame);
        box->setReadOnly(true);
        box->setFixedWidth(kResultWidth);
        numbers->addWidget(box, 0, i);
    }
    numbers->setColumnStretch(blue::kNumbers, 1);
    layout->addLayout(numbers);

    auto* summary = new QHBoxLayout;
    summary->addWidget(new QLabel(u"选号统计"_s, frame));
    QLineEdit* text45 = makeText(blue::kSummary, 40, frame);
    text45->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    text45->setReadOnly(true);
    text45->setMinimumWidth(0);
    text45->setMaximumWidth(QWIDGETSIZE_MAX);
    text45->setFixedHeight(kBoxHeight);
    summary->addWidget(text45, 1);
    layout->addLayout(summary);
    return frame;
}

// The blue numbers over their codes.
QWidget* BlueSelectionWindow::buildLegend() {
    auto* legend = new QWidget(this);
    legend->setObjectName(u"Legend"_s);
    auto* grid = new QGridLayout(legend);
    grid->setContentsMargins(6, 0, 6, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->addWidget(new QLabel(u"蓝球号码："_s, legend), 0, 0);
    grid->addWidget(new QLabel(u"对应代码："_s, legend), 1, 0);
    for (int b = 1; b <= blue::kNumbers; ++b) {
        const BlueCode code = blueCode(b);
        grid->addWidget(header(QString::number(b), legend), 0, b);
        grid->addWidget(header(QString::number(code.c1 * 10 + code.c2), legend), 1, b);
    }
    grid->setColumnStretch(blue::kNumbers + 1, 1);
    return legend;
}

BlueControls BlueSelectionWindow::controls() const {
    BlueControls c;
    for (int i = 1; i <= blue::kChecks; ++i)
        c.check[i] = m_check[i]->isChecked() ? 1 : 0;
    for (int i = 1; i <= blue::kInputTexts; ++i)
        c.text[i] = m_text[i]->text();
    c.option1 = m_option1->isChecked();
    c.option2 = m_option2->isChecked();
    return c;
}

QStringList BlueSelectionWindow::resultTexts() const {
    QStringList texts;
    for (int i = 0; i < blue::kNumbers; ++i)
        texts.append(m_text[blue::kFirstResult + i]->text());
    return texts;
}

void BlueSelectionWindow::setControls(const BlueControls& c) {
    for (int i = 1; i <= blue::kChecks; ++i)
        m_check[i]->setChecked(c.check[i] == 1);
    for (int i = 1; i <= blue::kInputTexts; ++i)
        setTextIfChanged(m_text[i], c.text[i]);
    // Neither chosen is a state of its own, which an exclusive group cannot be put back into.
    m_options->setExclusive(false);
    m_option1->setChecked(c.option1);
    m_option2->setChecked(c.option2);
    m_options->setExclusive(true);
}

void BlueSelectionWindow::runSelection() {
    BlueControls c = controls();
    const BlueSelectionResult result = runBlueSelection(c);
    if (!result.ok) {
        prompter().message(this, result.message, Prompter::Icon::Warning);
        return;
    }
    setControls(c);
    for (int i = 1; i <= blue::kNumbers; ++i)
        m_text[blue::kFirstResult + i - 1]->setText(result.slots[i]);
    m_text[blue::kSummary]->setText(result.summary);
}

void BlueSelectionWindow::showDistributionIn(DrawGridView& grid) {
    // The issue column is widened so its four digits show whole.
    if (showQueryOrWarn(grid, this, kDistributionQuery, kDistributionTwips, {{0, kIssueTwips}})) {
        grid.shareWidthFrom(1); // L1 to L16 side by side
        grid.goToDraw();        // the newest draws are the ones looked at
    }
}

void BlueSelectionWindow::showDistribution() {
    showDistributionIn(*m_grid1);
}

void BlueSelectionWindow::showIndicators() {
    showQueryOrWarn(
        *m_grid1, this,
        u"select 期号,蓝大小,蓝单双, 蓝代大号,蓝代奇号,蓝代质数,蓝代和值,蓝代积值,蓝代跨度,蓝代连号 from kjzb order by 期号 "_s,
        kIndicatorTwips, {{0, kIssueTwips}});
    m_grid1->goToDraw();
}

void BlueSelectionWindow::analyse() {
    // The big grid is out of sight while the history is read and counted.
    m_grid1->hide();
    m_grid1->showQuery(u"select* from kjhm order by 期号 "_s, kMarkTwips);
    const auto finish = [this](const QString& message, Prompter::Icon icon) {
        m_grid1->show();
        prompter().message(this, message, icon);
    };
    QString error;
    const std::optional<std::vector<BlueMarks>> draws = readBlueMarks(m_db.connection(), &error);
    if (!draws) {
        finish(u"无法读取开奖号码：%1"_s.arg(error), Prompter::Icon::Warning);
        return;
    }
    // One dialog for one click: the box offers 50, and what was done shows in the status bar.
    if (draws->empty()) {
        finish(blueNoDrawsMessage(), Prompter::Icon::Warning);
        return;
    }
    const BlueWindowChoice choice = blueWindowChoice(
        prompter().input(this, blueWindowPrompt(), {}, u"50"_s), static_cast<int>(draws->size()));
    if (!choice.refusal.isEmpty()) {
        finish(choice.refusal, Prompter::Icon::Warning);
        return;
    }
    if (!writeBlueCounts(m_db.connection(), blueCounts(*draws, choice.window), choice.window,
                         &error)) {
        finish(error, Prompter::Icon::Warning);
        return;
    }
    m_grid2->showQuery(u"select* from lqtx order by 序号 "_s, kAnalysisTwips,
                       {{1, kAnalysisLabelTwips}});
    m_grid2->shareWidthFrom(2); // B1 to B16 side by side
    showDistributionIn(*m_grid1);
    m_grid1->show();
    statusBar()->showMessage(choice.defaulted
                                 ? u"蓝球号码分析完毕（没有输入期数，按默认的50期统计）"_s
                                 : u"蓝球号码分析完毕（最近%1期）"_s.arg(choice.window));
}

void BlueSelectionWindow::saveOptions() {
    const Outcome outcome = saveBlueOptionSet(m_db.connection(), controls());
    m_grid3->showQuery(u"select *from lqtjbc order by 编号 "_s, kOptionTwips);
    prompter().message(this, outcome.message,
                       outcome.ok ? Prompter::Icon::Information : Prompter::Icon::Warning);
}

void BlueSelectionWindow::restoreOptions() {
    BlueControls c = controls();
    const Outcome outcome = restoreBlueOptionSet(m_db.connection(), c);
    if (outcome.ok)
        setControls(c);
    m_grid3->showQuery(u"select *from lqtjbc order by 编号 "_s, kOptionTwips);
    prompter().message(this, outcome.message,
                       outcome.ok ? Prompter::Icon::Information : Prompter::Icon::Warning);
}

void BlueSelectionWindow::saveToFile() {
    const QString path =
        askSavePath(this, u"保存设置到文件"_s, kFileFilter, u".json"_s, u".ssqblue.json"_s);
    if (path.isEmpty())
        return;
    QString error;
    if (!saveBlueControlsFile(path, controls(), &error)) {
        prompter().message(this, error, Prompter::Icon::Warning);
        return;
    }
    prompter().message(this, u"蓝球设置已保存到文件“%1”"_s.arg(path), Prompter::Icon::Information);
}

void BlueSelectionWindow::loadFromFile() {
    const QString path = prompter().openFileName(this, u"从文件载入设置"_s, kFileFilter);
    if (path.isEmpty())
        return;
    QString error;
    const std::optional<BlueControls> loaded = loadBlueControlsFile(path, &error);
    if (!loaded) {
        prompter().message(this, error, Prompter::Icon::Warning);
        return;
    }
    setControls(*loaded);
}

} // namespace ssq
