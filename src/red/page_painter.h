#pragma once
// Renders a page of drawing operations onto any paged device (a printer, a PDF writer, the
// print preview), 1440 twips to the inch.

#include "red/result_page.h"

#include <QString>

class QPagedPaintDevice;

namespace ssq {

// Sets the device's page to the page's standard paper with no margins, then paints every
// operation. A QPrinter must be in full-page mode first, so positions count from the paper's
// edge rather than from its printable area.
// On failure returns false and sets a Chinese message.
bool paintPage(const PrintPage& page, QPagedPaintDevice& device, QString* error);
// The pages one after another on the device, all on the first page's paper.
bool paintPages(const QList<PrintPage>& pages, QPagedPaintDevice& device, QString* error);

} // namespace ssq
