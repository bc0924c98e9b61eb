#pragma once
// Where printed pages go: the system's printer in the program, a PDF file in tests.

#include "red/result_page.h"

#include <QString>

namespace ssq {

class PagePrinter {
public:
    virtual ~PagePrinter() = default;
    // Prints the pages as one document; false with a Chinese message when it could not.
    virtual bool print(const QList<PrintPage>& pages, QString* error) = 0;
};

} // namespace ssq
