#include "red/widgets/pdf_page_printer.h"

#include "red/page_painter.h"

#include <QPrinter>

namespace ssq {

bool PdfPagePrinter::print(const PrintPage& page, QString* error) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_path);
    printer.setFullPage(true);
    return paintPage(page, printer, error);
}

} // namespace ssq
