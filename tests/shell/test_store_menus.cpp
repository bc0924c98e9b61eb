// The draw-history items of Form1's menus: each opens its window once, and the maintenance
// commands end with their messages (the backup going to a temporary folder).

#include "shell/main_window.h"
#include "store/maintenance.h"
#include "support/scripted_prompter.h"
#include "support/temp_database.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace ssq;

class TestStoreMenus : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempDatabase> m_temp;
    std::unique_ptr<test::ScriptedPrompter> m_prompter;
    QPointer<MainWindow> m_window;
    QTemporaryDir m_backups;

private Q_SLOTS:
    void init() {
        QVERIFY(m_backups.isValid());
        setBackupFolder(m_backups.filePath(u"Ravelko数据库备份"_s));
        m_temp = std::make_unique<test::TempDatabase>();
        QVERIFY2(m_temp->isValid(), qPrintable(m_temp->error()));
        m_prompter = std::make_unique<test::ScriptedPrompter>();
        m_window = new MainWindow(m_temp->database());
        m_window->show();
    }
    void cleanup() {
        delete m_window;
        m_prompter.reset();
        m_temp.reset();
        setBackupFolder({});
    }

    void itemsOpenTheirWindowsOnce() {
        const QList<std::pair<QString, QString>> items{{u"TJSJ"_s, u"Form9"_s},
                                                       {u"CKSJ"_s, u"Form4"_s},
                                                       {u"WQCX"_s, u"Form10"_s},
                                                       {u"DRSJ"_s, u"Form12"_s}};
        for (const auto& [item, form] : items) {
            QAction* action = m_window->menuItem(item);
            QVERIFY(action->isEnabled());
            action->trigger();
            action->trigger();
            const QList<QWidget*> windows =
                m_window->findChildren<QWidget*>(form, Qt::FindDirectChildrenOnly);
            QCOMPARE(windows.size(), 1);
            QVERIFY(windows[0]->isVisible());
            QVERIFY(windows[0]->isWindow());
        }
        // A window closed with its own button is loaded afresh next time.
        QPointer<QWidget> entry = m_window->findChild<QWidget*>(u"Form9"_s);
        entry->close();
        QTRY_VERIFY(entry.isNull());
        m_window->menuItem(u"TJSJ"_s)->trigger();
        QVERIFY(m_window->findChild<QWidget*>(u"Form9"_s));
    }

    void maintenanceCommands() {
        m_window->menuItem(u"XF"_s)->trigger();
        QVERIFY(m_prompter->messageTexts().value(0).startsWith(u"没有找到备份文件"_s));
        m_prompter->clear();

        m_window->menuItem(u"BF"_s)->trigger();
        m_window->menuItem(u"XF"_s)->trigger();
        m_window->menuItem(u"YS"_s)->trigger();
        QCOMPARE(m_prompter->messageTexts(),
                 (QStringList{u"数据库备份完毕（备份文件保存在%1）"_s.arg(
                                  QDir::toNativeSeparators(backupFolder())),
                              u"数据库替换完毕"_s, u"数据库压缩完毕"_s}));
        QVERIFY(QFile::exists(backupFilePath(backupFolder())));
        QVERIFY(m_temp->database().isOpen());
    }
};

QTEST_MAIN(TestStoreMenus)
#include "test_store_menus.moc"
