#pragma once
// Prints on the system's default printer, or tells that there is none.

#include "red/page_printer.h"

namespace ssq {

class SystemPagePrinter : public PagePrinter {
public:
    bool print(const QList<PrintPage>& pages, QString* error) override;
};

QString noPrinterMessage();

} // namespace ssq
