#include "red/widgets/pdf_page_printer.h"

#include "red/page_painter.h"

#include <QPrinter>

namespace ssq {

bool PdfPagePrinter::print(const QList<PrintPage>& pages, QString* error) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_path);
    printer.setFullPage(true);
    return paintPages(pages, printer, error);
}

} // namespace ssq
