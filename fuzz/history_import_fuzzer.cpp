// The draw history on any bytes, through the import to the database: whatever is written leaves
// the three draw tables holding the same issues, each once and rising; a refusal writes nothing.

#include "fuzz_check.h"
#include "store/database.h"
#include "store/draw_history.h"
#include "store/history_file.h"
#include "store/history_import.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

using namespace Qt::StringLiterals;
using namespace ssq;

namespace {

Database* g_db = nullptr;

int count(const QString& sql) {
    QSqlQuery q(g_db->connection());
    return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir dir;
    // Never destroyed: at exit it would outlive the register of open files it is in.
    g_db = new Database(dir.filePath(u"ssq.mdb"_s));
    if (!g_db->open(nullptr))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    const auto lines = parseHistory(text, &error);
    if (!lines)
        return 0;
    const auto chosen = drawsToImport(*lines, {}, &error);
    if (!chosen)
        return 0;
    const std::vector<StoredDraw> stored = loadDraws(g_db->connection(), &error);
    const int before = count(u"SELECT count(*) FROM kjhm"_s);
    const ImportReport report = writeImport(g_db->connection(), planImport(stored, *chosen));
    const int after = count(u"SELECT count(*) FROM kjhm"_s);
    fuzzCheck(report.ok ? after == before + report.imported : after == before,
              "the rows written differ from the rows reported");
    for (const QString& table : {u"kjdm"_s, u"kjzb"_s})
        fuzzCheck(count(u"SELECT count(*) FROM "_s + table) == after,
                  "the draw tables hold different numbers of rows");
    fuzzCheck(count(u"SELECT count(*) FROM kjhm a JOIN kjhm b ON a.rowid < b.rowid AND "
                    u"a.期号 >= b.期号"_s) == 0,
              "an issue stored twice or below an earlier one");
    // Start over now and then, so the history stays small and every input can add draws.
    if (after > 200) {
        QSqlQuery clear(g_db->connection());
        for (const QString& table : {u"kjhm"_s, u"kjdm"_s, u"kjzb"_s})
            clear.exec(u"DELETE FROM "_s + table);
    }
    return 0;
}
