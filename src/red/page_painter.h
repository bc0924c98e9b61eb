#pragma once
// Renders a page of drawing operations onto any paged device (a printer, a PDF writer, the
// print preview), 1440 twips to the inch.

#include "red/result_page.h"

#include <QString>

class QPagedPaintDevice;

namespace ssq {

// Sets the device's page to the page's size with no margins, then paints every operation.
// On failure returns false and sets a Chinese message.
bool paintPage(const PrintPage& page, QPagedPaintDevice& device, QString* error);

} // namespace ssq
