// The background job long work runs in: threads, progress, cancel, newer runs, failures, stop.

#include "ui/background_job.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <semaphore>
#include <stdexcept>

using namespace Qt::StringLiterals;
using ssq::BackgroundJob;
using ssq::JobControl;
using ssq::JobOutcome;

namespace {

// Spins until the run is cancelled; returns how often it looked.
int untilCancelled(JobControl& control) {
    int looks = 0;
    while (!control.cancelled()) {
        ++looks;
        QThread::usleep(200);
    }
    return looks;
}

} // namespace

class TestBackgroundJob : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void outcomeOnTheStartingThreadWithProgress() {
        BackgroundJob job(nullptr, 5);
        QSignalSpy progress(&job, &BackgroundJob::progressChanged);
        std::binary_semaphore halfway(0);
        QThread* worker = nullptr;
        std::optional<JobOutcome<int>> got;
        QThread* deliveredOn = nullptr;
        job.start(
            [&](JobControl& control) {
                worker = QThread::currentThread();
                control.setProgress(40, 100);
                control.setProgress(10); // a slower thread of the same walk reports late
                halfway.acquire();
                control.setProgress(100);
                return 7;
            },
            [&](JobOutcome<int> outcome) {
                deliveredOn = QThread::currentThread();
                got = std::move(outcome);
            });
        QVERIFY(job.isRunning());
        const auto lastShown = [&] {
            return progress.isEmpty() ? QVariantList() : progress.last();
        };
        QTRY_COMPARE(lastShown(), (QVariantList{qint64(40), qint64(100)}));
        halfway.release();
        QTRY_VERIFY(got.has_value());
        QVERIFY(!job.isRunning());
        QCOMPARE(deliveredOn, QThread::currentThread());
        QVERIFY(worker && worker != QThread::currentThread());
        QCOMPARE(got->value, std::optional<int>(7));
        QVERIFY(!got->cancelled && got->failure.isEmpty());
        // The last count is shown before the outcome, and no count ever went back.
        QCOMPARE(progress.last(), (QVariantList{qint64(100), qint64(100)}));
        for (qsizetype i = 1; i < progress.size(); ++i)
            QVERIFY(progress[i][0].toLongLong() >= progress[i - 1][0].toLongLong());
    }

    void cancelEndsTheRunAndSaysSo() {
        BackgroundJob job;
        std::optional<JobOutcome<int>> got;
        job.start(untilCancelled, [&](JobOutcome<int> outcome) { got = std::move(outcome); });
        QTest::qWait(20);
        QVERIFY(!got);
        job.cancel();
        QTRY_VERIFY(got.has_value());
        QVERIFY(got->cancelled && got->value.has_value());
    }

    void failuresArriveAsWords_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("words");
        QTest::newRow("runtime_error") << 0 << u"运算出错，没有完成：盘满"_s;
        QTest::newRow("bad_alloc") << 1 << u"内存不足，运算没有完成"_s;
        QTest::newRow("not an exception") << 2 << u"运算出错，没有完成"_s;
    }
    void failuresArriveAsWords() {
        QFETCH(int, kind);
        QFETCH(QString, words);
        BackgroundJob job;
        std::optional<JobOutcome<QString>> got;
        job.start(
            [kind](JobControl&) -> QString {
                if (kind == 0)
                    throw std::runtime_error("盘满");
                if (kind == 1)
                    throw std::bad_alloc();
                throw 42;
            },
            [&](JobOutcome<QString> outcome) { got = std::move(outcome); });
        QTRY_VERIFY(got.has_value());
        QVERIFY(!got->value);
        QCOMPARE(got->failure, words);
        QVERIFY(!job.isRunning());
    }

    // Only the newest run is reported, even when an older one ends after it or was already done
    // before the newer one started.
    void aNewerRunSilencesTheOlder() {
        BackgroundJob job;
        QStringList reported;
        const auto report = [&](JobOutcome<QString> o) { reported.append(*o.value); };
        std::atomic_bool olderSawCancel{false};
        job.start(
            [&](JobControl& c) {
                untilCancelled(c);
                olderSawCancel = true;
                QThread::msleep(30); // ends after the newer run
                return u"older"_s;
            },
            report);
        job.start([](JobControl&) { return u"quick"_s; }, report);
        job.start([](JobControl&) { return u"newest"_s; }, report);
        QTRY_VERIFY(!job.isRunning());
        QTest::qWait(80);
        QVERIFY(olderSawCancel);
        QCOMPARE(reported, QStringList{u"newest"_s});
    }

    // stop() and the destructor wait for the worker and hand nothing over afterwards.
    void stopAndDestructionDropTheOutcome() {
        int delivered = 0;
        std::atomic_int ended{0};
        const auto work = [&](JobControl& c) {
            untilCancelled(c);
            return ++ended;
        };
        {
            BackgroundJob job;
            job.start(work, [&](JobOutcome<int>) { ++delivered; });
            QTest::qWait(10);
            job.stop();
            QCOMPARE(ended.load(), 1);
            QVERIFY(!job.isRunning());
            job.start(work, [&](JobOutcome<int>) { ++delivered; });
        }
        QCOMPARE(ended.load(), 2);
        QTest::qWait(30);
        QCOMPARE(delivered, 0);
    }
};

QTEST_GUILESS_MAIN(TestBackgroundJob)
#include "test_background_job.moc"
