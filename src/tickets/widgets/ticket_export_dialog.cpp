#include "tickets/widgets/ticket_export_dialog.h"

#include "tickets/ticket_export.h"
#include "tickets/widgets/blue_window_result.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

TicketExportDialog::TicketExportDialog(SelectionResult result, BlueResult blues, QWidget* parent)
    : QDialog(parent), m_result(std::move(result)), m_blueResult(std::move(blues)) {
    setObjectName(u"FormDCJG"_s);
    setWindowTitle(u"导出选号结果"_s);
    setAttribute(Qt::WA_DeleteOnClose);

    const bool ownBlues = !m_result.blues.empty();
    auto* count = new QLabel(
        u"当前选号结果共有%1注号码%2，全部导出（不限于前5000注）。"_s.arg(m_result.count())
            .arg(ownBlues ? u"（随机选出，已带蓝球）"_s : QString()),
        this);
    count->setObjectName(u"Label1"_s);

    m_blues = new QLineEdit(blueListText(currentBlues(m_blueResult)), this);
    m_blues->setObjectName(u"Text1"_s);
    m_blues->setPlaceholderText(u"例如 08 12，可不填"_s);
    m_blues->setEnabled(!ownBlues);
    auto* take = namedButton(u"Command3"_s, u"取蓝球选号结果"_s, this);
    take->setEnabled(!ownBlues);
    auto* blueRow = new QHBoxLayout;
    blueRow->addWidget(new QLabel(u"蓝球号码："_s, this));
    blueRow->addWidget(m_blues, 1);
    blueRow->addWidget(take);

    m_summary = new QLabel(this);
    m_summary->setObjectName(u"Label2"_s);
    auto* note = new QLabel(u"每注红球组合与每个蓝球各成一注，每注2元。文件名以 .csv 结尾时导出为"
                            u"CSV表格，否则为文本文件，每行一注，如“01 05 12 20 27 33 + 08”。"_s,
                            this);
    note->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    auto* save = addNamedButton(buttons, u"Command1"_s, u"导出到文件…"_s, this);
    auto* copy = addNamedButton(buttons, u"Command2"_s, u"复制到剪贴板"_s, this);
    buttons->addStretch(1);
    auto* close = addNamedButton(buttons, u"Command4"_s, u"关闭"_s, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(count);
    layout->addLayout(blueRow);
    layout->addWidget(m_summary);
    layout->addWidget(note);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(m_blues, &QLineEdit::textChanged, this, &TicketExportDialog::showSummary);
    connect(take, &QPushButton::clicked, this, &TicketExportDialog::takeBlueResult);
    connect(save, &QPushButton::clicked, this, &TicketExportDialog::exportToFile);
    connect(copy, &QPushButton::clicked, this, &TicketExportDialog::copyToClipboard);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    showSummary();
}

void TicketExportDialog::showSummary() {
    QString error;
    const std::optional<BlueList> blues = parseBlueList(m_blues->text(), &error);
    m_summary->setText(blues ? exportSummary(exportTicketCount(m_result, *blues)) : error);
}

void TicketExportDialog::takeBlueResult() {
    takeBlueWindowResult(m_blueResult, m_blues, this);
}

void TicketExportDialog::exportToFile() {
    QString error;
    const std::optional<BlueList> blues = parseBlueList(m_blues->text(), &error);
    if (!blues) {
        prompter().message(this, error, Prompter::Icon::Warning);
        return;
    }
    const QString chosen = prompter().saveFileName(
        this, u"导出选号结果"_s, u"文本文件 (*.txt);;CSV表格 (*.csv)"_s, u"txt"_s);
    if (chosen.isEmpty())
        return;
    const QString path = confirmChangedSavePath(
        this, chosen, QFileInfo(chosen).suffix().isEmpty() ? chosen + u".txt"_s : chosen);
    if (path.isEmpty())
        return;

    // Shown only when the export takes a while.
    const qint64 total = exportTicketCount(m_result, *blues);
    QProgressDialog progress(u"正在导出选号结果…"_s, u"取消"_s, 0, 1000, this);
    progress.setObjectName(u"ExportProgress"_s);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const auto report = [&](qint64 done, qint64 all) {
        progress.setValue(all > 0 ? static_cast<int>(done * 1000 / all) : 1000);
        return !progress.wasCanceled();
    };
    const bool written =
        writeTicketExport(path, m_result, *blues, exportFormatOf(path), report, &error);
    progress.reset();
    if (!written) {
        prompter().message(this, error, Prompter::Icon::Warning);
        return;
    }
    prompter().message(this, u"选号结果已导出到文件“%1”：%2"_s.arg(path, exportSummary(total)));
}

void TicketExportDialog::copyToClipboard() {
    QString error;
    const std::optional<BlueList> blues = parseBlueList(m_blues->text(), &error);
    if (!blues) {
        prompter().message(this, error, Prompter::Icon::Warning);
        return;
    }
    const QStringList lines = exportLines(m_result, *blues);
    if (lines.isEmpty()) {
        prompter().message(this,
                           m_result.count() == 0
                               ? u"没有可以复制的号码"_s
                               : u"号码超过了5000注，不能复制到剪贴板，请导出到文件"_s,
                           Prompter::Icon::Warning);
        return;
    }
    QApplication::clipboard()->setText(lines.join(u'\n') + u'\n');
    prompter().message(this, u"已把%1注号码复制到剪贴板"_s.arg(lines.size()));
}

} // namespace ssq
