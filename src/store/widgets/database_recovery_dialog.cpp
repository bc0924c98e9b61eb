#include "store/widgets/database_recovery_dialog.h"

#include "store/maintenance.h"
#include "ui/prompter.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ssq {

DatabaseRecoveryDialog::DatabaseRecoveryDialog(const RecoveryOffer& offer, QWidget* parent)
    : QDialog(parent) {
    setObjectName(u"DatabaseRecoveryDialog"_s);
    setWindowTitle(programTitle());
    auto* layout = new QVBoxLayout(this);

    QString text = u"程序无法使用数据库文件：\n%1\n\n您可以："_s.arg(offer.reason);
    if (offer.canRestore)
        text += u"\n· 用备份数据库恢复（备份文件“%1”）；当前的文件改名保存在原来的文件夹中。"_s.arg(
            QDir::toNativeSeparators(offer.backupPath));
    text += u"\n· 新建一个空的数据库；当前的文件改名保存在原来的文件夹中，不会被删除。"_s;
    text += u"\n· 退出程序，自己处理这个文件。"_s;
    auto* label = new QLabel(text, this);
    label->setObjectName(u"Label1"_s);
    label->setWordWrap(true);
    label->setMinimumWidth(520);
    layout->addWidget(label);

    auto* buttons = new QHBoxLayout;
    const struct {
        QString name;
        QString caption;
        RecoveryChoice choice;
        bool offered;
    } items[] = {
        {u"Command1"_s, u"用备份数据库恢复"_s, RecoveryChoice::RestoreBackup, offer.canRestore},
        {u"Command2"_s, u"新建空数据库"_s, RecoveryChoice::StartEmpty, offer.canStartEmpty},
        {u"Command3"_s, u"退出"_s, RecoveryChoice::Quit, true},
    };
    buttons->addStretch();
    for (const auto& item : items) {
        auto* button = new QPushButton(item.caption, this);
        button->setObjectName(item.name);
        button->setEnabled(item.offered);
        const RecoveryChoice choice = item.choice;
        connect(button, &QPushButton::clicked, this, [this, choice] { choose(choice); });
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
}

void DatabaseRecoveryDialog::choose(RecoveryChoice choice) {
    m_choice = choice;
    accept();
}

bool openDatabaseAtStart(Database& db) {
    return openWithRecovery(
        db, backupFolder(),
        [](const RecoveryOffer& offer) {
            DatabaseRecoveryDialog dialog(offer);
            dialog.exec();
            return dialog.choice();
        },
        [](const QString& message, bool warning) {
            prompter().message(nullptr, message,
                               warning ? Prompter::Icon::Critical : Prompter::Icon::Information);
        });
}

} // namespace ssq
