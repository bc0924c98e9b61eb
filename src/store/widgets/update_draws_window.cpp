#include "store/widgets/update_draws_window.h"

#include "store/database.h"
#include "store/draw_answer.h"
#include "store/draw_fetcher.h"
#include "store/update_settings.h"
#include "store/widgets/draw_preview.h"
#include "store/widgets/paste_draws_window.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"
#include "ui/widgets/single_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

UpdateDrawsWindow::UpdateDrawsWindow(Database& db, QWidget* parent)
    : QWidget(parent), m_db(db), m_fetcher(new DrawFetcher(this)) {
    setObjectName(u"FormLWGX"_s);
    setWindowTitle(u"联网更新开奖数据"_s);

    auto* note =
        new QLabel(u"从开奖数据服务取得最近各期的开奖号码，检查后只保存数据库中最新一期之后的各期。"
                   u"联网不成功时，可以在开奖网页上复制开奖号码，用“粘贴开奖号码…”保存。"_s,
                   this);
    note->setObjectName(u"Label1"_s);
    note->setWordWrap(true);

    m_source = new QLineEdit(loadUpdateSettings(m_db.path()).source, this);
    m_source->setObjectName(u"Text1"_s);
    m_source->setCursorPosition(0);
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(new QLabel(u"开奖数据来源："_s, this));
    sourceRow->addWidget(m_source, 1);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(u"ProgressBar1"_s);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_status = new QLabel(this);
    m_status->setObjectName(u"Label2"_s);
    m_status->setWordWrap(true);
    m_preview = new DrawPreview(db, this);

    auto* buttons = new QHBoxLayout;
    m_start = addNamedButton(buttons, u"Command1"_s, u"开始更新"_s, this);
    m_cancel = addNamedButton(buttons, u"Command2"_s, u"取消"_s, this);
    m_cancel->setEnabled(false);
    QPushButton* paste = addNamedButton(buttons, u"Command5"_s, u"粘贴开奖号码…"_s, this);
    buttons->addStretch(1);
    QPushButton* exit = addNamedButton(buttons, u"Command4"_s, u"退出操作"_s, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(sourceRow);
    layout->addLayout(buttons);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    layout->addWidget(m_preview, 1);

    connect(m_start, &QPushButton::clicked, this, &UpdateDrawsWindow::startUpdate);
    connect(m_cancel, &QPushButton::clicked, this, &UpdateDrawsWindow::cancelUpdate);
    connect(paste, &QPushButton::clicked, this, &UpdateDrawsWindow::openPasteWindow);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_fetcher, &DrawFetcher::finished, this, &UpdateDrawsWindow::finish);
    connect(m_fetcher, &DrawFetcher::progress, this, [this](qint64 received, qint64 total) {
        if (total > 0) {
            m_progress->setRange(0, 100);
            m_progress->setValue(static_cast<int>(received * 100 / total));
        }
    });
    connect(m_preview, &DrawPreview::stored, this, &UpdateDrawsWindow::stored);
    resize(640, 560);
}

UpdateDrawsWindow* UpdateDrawsWindow::open(Database& db, QWidget* over) {
    static QPointer<UpdateDrawsWindow> window;
    return showSingleWindow(window, over, [&db] { return new UpdateDrawsWindow(db); });
}

bool UpdateDrawsWindow::isRunning() const {
    return m_fetcher->isRunning();
}

void UpdateDrawsWindow::setRunning(bool running) {
    m_start->setEnabled(!running);
    m_source->setEnabled(!running);
    m_cancel->setEnabled(running);
    m_preview->setEnabled(!running);
    if (running)
        m_progress->setRange(0, 0); // busy until the answer's size is known
    else
        m_progress->setRange(0, 100);
}

void UpdateDrawsWindow::startUpdate() {
    if (isRunning())
        return;
    const QString text = m_source->text().trimmed();
    QString refusal;
    const std::optional<QUrl> source = drawSourceUrl(text, &refusal);
    if (!source) {
        prompter().message(this, refusal, Prompter::Icon::Warning);
        return;
    }
    UpdateSettings settings = loadUpdateSettings(m_db.path());
    if (settings.source != text) {
        QString error;
        if (!saveUpdateSource(m_db.path(), text, &error))
            m_status->setText(error);
    }
    m_preview->clear();
    setRunning(true);
    m_status->setText(u"正在联网取得开奖数据……"_s);
    m_fetcher->start(*source, settings.timeoutMs);
}

void UpdateDrawsWindow::cancelUpdate() {
    m_fetcher->cancel();
}

void UpdateDrawsWindow::finish(const FetchOutcome& outcome) {
    setRunning(false);
    if (!outcome.ok) {
        m_progress->setValue(0);
        m_status->setText(outcome.message);
        if (!outcome.cancelled)
            prompter().message(this, outcome.message, Prompter::Icon::Warning);
        Q_EMIT fetched();
        return;
    }
    const DrawAnswer answer = readDrawAnswer(outcome.body);
    if (!answer.ok) {
        m_progress->setValue(0);
        m_status->setText(answer.message);
        prompter().message(this, answer.message, Prompter::Icon::Warning);
        Q_EMIT fetched();
        return;
    }
    m_progress->setValue(100);
    m_status->setText(u"已取得%1期开奖数据。"_s.arg(answer.draws.size()));
    m_preview->showDraws(answer.draws, answer.prizes);
    Q_EMIT fetched();
}

void UpdateDrawsWindow::openPasteWindow() {
    PasteDrawsWindow::open(m_db, parentWidget());
}

} // namespace ssq
