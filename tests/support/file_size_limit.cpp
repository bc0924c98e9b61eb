#include "support/file_size_limit.h"

#include <csignal>
#include <sys/resource.h>

namespace ssq::test {

FileSizeLimit::FileSizeLimit(qint64 bytes) {
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_previous = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit() {
    std::signal(SIGXFSZ, m_handler);
    if (!m_set)
        return;
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_previous);
    setrlimit(RLIMIT_FSIZE, &limit);
}

void FileSizeLimit::applyInChild(qint64 bytes) {
    // The program under test must deal with the signal itself, not inherit the test's choice.
    std::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace ssq::test
