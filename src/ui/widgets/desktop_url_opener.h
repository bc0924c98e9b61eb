#pragma once
// Opens the program's help pages in its own help window and web addresses in the desktop's
// browser.

#include "ui/url_opener.h"

namespace ssq {

class DesktopUrlOpener : public UrlOpener {
public:
    void open(const QUrl& url) override;
};

} // namespace ssq
