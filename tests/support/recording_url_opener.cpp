#include "support/recording_url_opener.h"

namespace ssq::test {

RecordingUrlOpener::RecordingUrlOpener() {
    setUrlOpener(this);
}

RecordingUrlOpener::~RecordingUrlOpener() {
    setUrlOpener(nullptr);
}

} // namespace ssq::test
