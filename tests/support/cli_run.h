#pragma once
// Runs the built ssq-cli as a script does. Only for tests whose target defines SSQ_CLI_PATH.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace ssq::test {

struct CliRun {
    int status = -1; // -1: it did not end normally in time
    QString out;
    QString err; // trimmed
};

// `env` adds NAME=value settings to the environment of the run.
inline CliRun runCli(const QStringList& args, const QStringList& env = {}, int msecs = 120000) {
    QProcess p;
    if (!env.isEmpty()) {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (const QString& setting : env)
            e.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
        p.setProcessEnvironment(e);
    }
    p.start(QStringLiteral(SSQ_CLI_PATH), args);
    CliRun run;
    if (!p.waitForFinished(msecs) || p.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = p.exitCode();
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError()).trimmed();
    return run;
}

} // namespace ssq::test
