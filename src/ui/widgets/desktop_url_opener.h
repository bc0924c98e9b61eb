#pragma once
// Opens pages with the desktop's default browser.

#include "ui/url_opener.h"

namespace ssq {

class DesktopUrlOpener : public UrlOpener {
public:
    void open(const QUrl& url) override;
};

} // namespace ssq
