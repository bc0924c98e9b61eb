#include "red/widgets/results_window.h"

#include "model/leading_number_text.h"
#include "red/page_painter.h"
#include "red/saved_results.h"
#include "red/widgets/system_page_printer.h"
#include "store/database.h"
#include "store/widgets/draw_grid_view.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDate>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr double kColumnTwips = 2000;
constexpr double kNumberColumnTwips = 700;

} // namespace

ResultsWindow::ResultsWindow(Database& db, QWidget* parent)
    : QWidget(parent), m_db(db), m_systemPrinter(std::make_unique<SystemPagePrinter>()) {
    setObjectName(u"Form8"_s);
    setWindowTitle(u"选号结果显示与打印"_s);
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);

    const SavedResults saved = loadSavedResults(m_db.connection());
    m_saved = saved.texts;
    m_paging = ResultsPaging(saved.recordCount);
    m_loadError = saved.error;

    m_grid = new DrawGridView(m_db, this);

    m_count = new QLabel(savedCountText(m_saved.size()), this);
    m_count->setObjectName(u"Label4"_s);
    m_pageIndicator = new QLabel(this);
    m_pageIndicator->setObjectName(u"Label1"_s);
    m_pageIndicator->setCursor(Qt::PointingHandCursor);
    m_pageIndicator->setMinimumWidth(120);
    m_pageIndicator->installEventFilter(this);

    auto* exit = namedButton(u"Command6"_s, u"退出"_s, this);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);

    auto* labels = new QHBoxLayout;
    labels->addWidget(m_count);
    labels->addStretch(1);
    labels->addWidget(m_pageIndicator);

    auto* left = new QVBoxLayout;
    left->addLayout(labels);
    left->addWidget(buildDisplayFrame());
    left->addStretch(1);
    left->addWidget(exit, 0, Qt::AlignLeft);

    auto* bottom = new QHBoxLayout;
    bottom->addLayout(left);
    bottom->addWidget(buildPrintFrame(), 1);

    auto* main = new QVBoxLayout(this);
    main->addWidget(m_grid, 1);
    main->addLayout(bottom);
    resize(840, 600);

    showQuery(ResultsPaging::allResults());
}

ResultsWindow::~ResultsWindow() = default;

QWidget* ResultsWindow::buildDisplayFrame() {
    auto* frame = new QGroupBox(u"显示号码"_s, this);
    frame->setObjectName(u"Frame2"_s);
    auto* first = namedButton(u"Command1"_s, u"首页号码显示"_s, frame);
    auto* next = namedButton(u"Command3"_s, u"下一页号码显示"_s, frame);
    auto* previous = namedButton(u"Command2"_s, u"上一页号码显示"_s, frame);
    auto* all = namedButton(u"Command5"_s, u"显示全部号码"_s, frame);
    connect(first, &QPushButton::clicked, this, &ResultsWindow::showFirstPage);
    connect(next, &QPushButton::clicked, this, &ResultsWindow::showNextPage);
    connect(previous, &QPushButton::clicked, this, &ResultsWindow::showPreviousPage);
    connect(all, &QPushButton::clicked, this, &ResultsWindow::showAllResults);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(first);
    layout->addWidget(next);
    layout->addWidget(previous);
    layout->addWidget(all);
    return frame;
}

QWidget* ResultsWindow::buildPrintFrame() {
    auto* frame = new QGroupBox(u"打印号码"_s, this);
    frame->setObjectName(u"Frame1"_s);

    m_issue = new QLineEdit(frame);
    m_issue->setObjectName(u"Text2"_s);
    m_issue->setMaximumWidth(80);
    auto* issueRow = new QHBoxLayout;
    issueRow->addWidget(new QLabel(u"请输入期号:"_s, frame));
    issueRow->addWidget(m_issue);
    issueRow->addStretch(1);

    // The start box sits in the gap the caption leaves for it.
    auto* startHolder = new QWidget(frame);
    auto* startLabel =
        new QLabel(u"从第        注号码                      开始打印"_s, startHolder);
    m_start = new QLineEdit(u"1"_s, startHolder);
    m_start->setObjectName(u"Text1"_s);
    const QFontMetrics metrics(startLabel->font());
    const int height = std::max(m_start->sizeHint().height(), startLabel->sizeHint().height());
    startLabel->setGeometry(0, 0, startLabel->sizeHint().width(), height);
    m_start->setGeometry(metrics.horizontalAdvance(u"从第"_s) + 2, 0,
                         metrics.horizontalAdvance(u"        "_s) - 4, height);
    startHolder->setMinimumSize(startLabel->sizeHint().width(), height);

    m_a4 = new QRadioButton(u"A4"_s, frame);
    m_a4->setObjectName(u"Option2"_s);
    m_b5 = new QRadioButton(u"B5"_s, frame);
    m_b5->setObjectName(u"Option1"_s);
    m_a4->setChecked(true);
    auto* paperGroup = new QButtonGroup(frame);
    paperGroup->addButton(m_a4);
    paperGroup->addButton(m_b5);
    auto* paperRow = new QHBoxLayout;
    paperRow->addWidget(new QLabel(u"请选择打印纸类型："_s, frame));
    paperRow->addWidget(m_a4);
    paperRow->addWidget(m_b5);
    paperRow->addStretch(1);

    auto* print = namedButton(u"Command4"_s, u"打印号码"_s, frame);
    auto* preview = namedButton(u"Command7"_s, u"打印预览"_s, frame);
    connect(print, &QPushButton::clicked, this, &ResultsWindow::printResults);
    connect(preview, &QPushButton::clicked, this, &ResultsWindow::previewResults);
    m_allPages = new QCheckBox(u"打印从起始号码到最后一注的全部页"_s, frame);
    m_allPages->setObjectName(u"CheckAllPages"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addWidget(preview);
    buttons->addStretch(1);

    auto* note = new QLabel(u"    A4纸张每行打印4注，共打印42行，每页数据为168条     "
                            u"B5纸张每行打印3注，共打印36行，每页数据为108条"_s,
                            frame);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(issueRow);
    layout->addWidget(startHolder);
    layout->addLayout(paperRow);
    layout->addWidget(m_allPages);
    layout->addLayout(buttons);
    layout->addWidget(note);
    return frame;
}

void ResultsWindow::showQuery(const QString& queryText) {
    if (!m_grid->showQuery(queryText, kColumnTwips, {{0, kNumberColumnTwips}}))
        prompter().message(this, u"读取保存的号码失败："_s + m_grid->lastError(),
                           Prompter::Icon::Warning);
}

void ResultsWindow::showFirstPage() {
    showQuery(m_paging.firstPage());
    showPageIndicator();
}

void ResultsWindow::showNextPage() {
    showQuery(m_paging.nextPage());
    showPageIndicator();
}

void ResultsWindow::showPreviousPage() {
    showQuery(m_paging.previousPage());
    showPageIndicator();
}

void ResultsWindow::showAllResults() {
    showQuery(ResultsPaging::allResults());
}

void ResultsWindow::showPageIndicator() {
    m_pageIndicator->setText(m_paging.indicator());
}

bool ResultsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pageIndicator && event->type() == QEvent::MouseButtonRelease)
        showPageIndicator();
    return QWidget::eventFilter(watched, event);
}

PrintPage ResultsWindow::pageToPrint() const {
    const Paper paper = m_b5->isChecked() ? Paper::B5 : Paper::A4;
    return buildResultPage(paper, m_issue->text(), numberOf(m_start->text()), m_saved,
                           QDate::currentDate());
}

QList<PrintPage> ResultsWindow::pagesToPrint() const {
    if (!m_allPages->isChecked())
        return {pageToPrint()};
    const Paper paper = m_b5->isChecked() ? Paper::B5 : Paper::A4;
    return buildResultPages(paper, m_issue->text(), numberOf(m_start->text()), m_saved,
                            QDate::currentDate());
}

bool ResultsWindow::askIssueIfEmpty() {
    if (!m_issue->text().trimmed().isEmpty())
        return true;
    const std::optional<QString> issue = prompter().input(
        this, u"还没有填写期号，打印的标题将是“Ravelko第期预选号码”。请输入预选号码的期号："_s);
    if (!issue || issue->trimmed().isEmpty())
        return false;
    m_issue->setText(issue->trimmed());
    return true;
}

void ResultsWindow::printResults() {
    if (!askIssueIfEmpty())
        return;
    PagePrinter& printer = m_printer ? *m_printer : *m_systemPrinter;
    QString error;
    if (!printer.printPages(pagesToPrint(), &error))
        prompter().message(this, error, Prompter::Icon::Warning);
}

void ResultsWindow::previewResults() {
    if (!askIssueIfEmpty())
        return;
    // The printer lives as long as the dialog's connection to it.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    auto* dialog = new QPrintPreviewDialog(printer.get(), this);
    dialog->setObjectName(u"PrintPreview"_s);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const QList<PrintPage> pages = pagesToPrint();
    connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
            [pages, printer](QPrinter* target) {
                target->setFullPage(true);
                paintPages(pages, *target, nullptr);
            });
    dialog->open();
}

} // namespace ssq
