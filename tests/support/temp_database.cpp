#include "support/temp_database.h"

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

} // namespace ssq::test
