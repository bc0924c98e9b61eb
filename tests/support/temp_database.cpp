#include "support/temp_database.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace ssq::test {

TempDatabase::TempDatabase() {
    if (!m_dir.isValid()) {
        m_error = m_dir.errorString();
        return;
    }
    m_db = std::make_unique<Database>(path());
    m_db->open(&m_error);
}

QString TempDatabase::path() const {
    return m_dir.filePath(u"ssq.mdb"_s);
}

QString sharedDataPath(const QString& file) {
    const QString folder = qEnvironmentVariable("SSQ_SHARED_DATA");
    if (folder.isEmpty())
        return QString();
    return QDir(folder).filePath(file);
}

} // namespace ssq::test
