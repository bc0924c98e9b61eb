#include "store/widgets/history_import_window.h"

#include "store/database.h"
#include "store/draw_history.h"
#include "store/shipped_history.h"
#include "ui/prompter.h"
#include "ui/url_opener.h"
#include "ui/web_addresses.h"
#include "ui/widgets/single_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

ImportReport cancelledReport() {
    ImportReport report;
    report.cancelled = true;
    report.message = u"导入已取消，数据库没有改动。"_s;
    return report;
}

} // namespace

HistoryImportWindow::HistoryImportWindow(Database& db, QWidget* parent)
    : QWidget(parent), m_db(db) {
    setObjectName(u"Form12"_s);
    setWindowTitle(u"导入开奖数据文件"_s);

    auto* layout = new QVBoxLayout(this);
    auto* note =
        new QLabel(u"开奖数据文件为UTF-8文本，每行一期，从最早的一期开始：期号、6个红球号码、"
                   u"蓝球号码，用逗号、制表符或空格分开，后面可以有日期等其他内容。期号可以是"
                   u"四位（7018）或七位（2007018）。数据库中已有的期号会被跳过。"_s,
                   this);
    note->setObjectName(u"Label4"_s);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(u"开奖数据文件："_s, this), 0, 0);
    m_file = new QLineEdit(this);
    m_file->setObjectName(u"Text1"_s);
    fields->addWidget(m_file, 0, 1);
    m_choose = new QPushButton(u"选择文件…"_s, this);
    m_choose->setObjectName(u"Command1"_s);
    fields->addWidget(m_choose, 0, 2);
    fields->addWidget(new QLabel(u"从期号："_s, this), 1, 0);
    m_from = new QLineEdit(this);
    m_from->setObjectName(u"Text2"_s);
    m_from->setToolTip(u"只导入这一期及以后的开奖数据，例如2020001；留空则从文件的第一期开始"_s);
    m_from->setMaximumWidth(120);
    fields->addWidget(m_from, 1, 1, Qt::AlignLeft);
    layout->addLayout(fields);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(u"ProgressBar1"_s);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    layout->addWidget(m_progress);
    m_status = new QLabel(this);
    m_status->setObjectName(u"Label3"_s);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    auto* buttons = new QHBoxLayout;
    m_start = new QPushButton(u"开始导入"_s, this);
    m_start->setObjectName(u"Command2"_s);
    m_cancel = new QPushButton(u"取消"_s, this);
    m_cancel->setObjectName(u"Command3"_s);
    m_cancel->setEnabled(false);
    m_close = new QPushButton(u"退出操作"_s, this);
    m_close->setObjectName(u"Command4"_s);
    m_help = new QPushButton(u"文件格式说明"_s, this);
    m_help->setObjectName(u"Command5"_s);
    buttons->addWidget(m_help);
    buttons->addStretch();
    buttons->addWidget(m_start);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(m_choose, &QPushButton::clicked, this, &HistoryImportWindow::chooseFile);
    connect(m_start, &QPushButton::clicked, this, &HistoryImportWindow::startImport);
    connect(m_cancel, &QPushButton::clicked, this, &HistoryImportWindow::cancelImport);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_help, &QPushButton::clicked, this, &HistoryImportWindow::openHelpPage);
    connect(&m_job, &BackgroundJob::progressChanged, this, &HistoryImportWindow::showProgress);
    resize(620, 320);
}

HistoryImportWindow* HistoryImportWindow::open(Database& db, QWidget* owner) {
    static QPointer<HistoryImportWindow> window;
    return showSingleWindow(window, owner, [&db] { return new HistoryImportWindow(db); });
}

HistoryImportWindow* HistoryImportWindow::openWithShippedHistory(Database& db, QWidget* owner) {
    HistoryImportWindow* window = open(db, owner);
    return window->presetShippedHistory() ? window : nullptr;
}

bool HistoryImportWindow::presetShippedHistory() {
    if (isRunning())
        return false;
    QString error;
    const std::optional<ShippedHistory> shipped = readShippedHistory(shippedHistoryPath(), &error);
    if (!shipped) {
        m_status->setText(u"软件自带的历史开奖数据无法使用：%1"_s.arg(error));
        return false;
    }
    m_file->setText(QDir::toNativeSeparators(shipped->path));
    m_from->setText(shipped->fromIssue);
    m_progress->setValue(0);
    m_status->setText(u"已选好软件自带的历史开奖数据：%1期至%2期，共%3期。点“开始导入”即可导入，"
                      u"数据库中已有的期号会被跳过。"_s.arg(shipped->fromIssue, shipped->lastIssue)
                          .arg(shipped->drawCount));
    return true;
}

void HistoryImportWindow::openHelpPage() {
    urlOpener().open(downloadPageUrl());
}

void HistoryImportWindow::chooseFile() {
    const QString path = prompter().openFileName(this, u"选择开奖数据文件"_s,
                                                 u"开奖数据文件 (*.csv *.txt);;所有文件 (*)"_s);
    if (!path.isEmpty())
        m_file->setText(path);
}

void HistoryImportWindow::setRunning(bool running) {
    for (QWidget* w : {static_cast<QWidget*>(m_file), static_cast<QWidget*>(m_from),
                       static_cast<QWidget*>(m_choose), static_cast<QWidget*>(m_start),
                       static_cast<QWidget*>(m_close), static_cast<QWidget*>(m_help)})
        w->setEnabled(!running);
    m_cancel->setEnabled(running);
}

void HistoryImportWindow::startImport() {
    if (isRunning())
        return;
    const QString path = m_file->text().trimmed();
    if (path.isEmpty()) {
        prompter().message(this, u"请先选择开奖数据文件"_s, Prompter::Icon::Warning);
        return;
    }
    QString error;
    std::vector<StoredDraw> stored = loadDraws(m_db.connection(), &error);
    if (!error.isEmpty()) {
        prompter().message(this, u"导入失败，无法读取数据库：%1"_s.arg(error),
                           Prompter::Icon::Warning);
        return;
    }

    setRunning(true);
    m_progress->setValue(0);
    m_status->setText(u"正在检查和计算……"_s);
    m_job.start(
        [stored = std::move(stored), path, from = m_from->text()](JobControl& control) {
            return planImportFile(stored, path, from, [&control](int done, int total) {
                control.setProgress(done, total);
                return !control.cancelled();
            });
        },
        [this](const JobOutcome<ImportPlan>& outcome) { finish(outcome); });
}

void HistoryImportWindow::cancelImport() {
    m_job.cancel();
    m_status->setText(u"正在取消……"_s);
}

void HistoryImportWindow::showProgress(qint64 done, qint64 total) {
    if (total <= 0) // the file is not read yet
        return;
    m_progress->setValue(static_cast<int>(done * 100 / total));
    m_status->setText(u"已计算%1期，共%2期"_s.arg(done).arg(total));
}

void HistoryImportWindow::finish(const JobOutcome<ImportPlan>& outcome) {
    ImportReport report;
    if (outcome.cancelled) {
        // Even a plan that was complete is not written once the player asked to cancel.
        report = cancelledReport();
    } else if (!outcome.value) {
        report.message = u"导入失败：%1"_s.arg(outcome.failure);
    } else {
        report = writeImport(m_db.connection(), *outcome.value);
    }
    setRunning(false);
    m_progress->setValue(report.ok ? 100 : 0);
    m_status->setText(report.message);
    prompter().message(this, report.message,
                       report.ok ? Prompter::Icon::Information : Prompter::Icon::Warning);
    Q_EMIT finished(report);
}

void HistoryImportWindow::closeEvent(QCloseEvent* event) {
    // Closing during an import cancels it; nothing has been written yet.
    if (isRunning()) {
        m_job.stop();
        setRunning(false);
        const ImportReport report = cancelledReport();
        m_progress->setValue(0);
        m_status->setText(report.message);
        Q_EMIT finished(report);
    }
    event->accept();
}

} // namespace ssq
