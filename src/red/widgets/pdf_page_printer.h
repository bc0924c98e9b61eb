#pragma once
// Prints into a PDF file.

#include "red/page_printer.h"

namespace ssq {

class PdfPagePrinter : public PagePrinter {
public:
    explicit PdfPagePrinter(QString path) : m_path(std::move(path)) {}
    bool print(const QList<PrintPage>& pages, QString* error) override;
    QString path() const { return m_path; }

private:
    QString m_path;
};

} // namespace ssq
