#include "red/widgets/system_page_printer.h"

#include "red/page_painter.h"

#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

namespace ssq {

QString noPrinterMessage() {
    return u"没有找到可用的打印机，无法打印。请先在系统中安装打印机，或点击“打印预览”查看页面并保存为PDF文件"_s;
}

bool SystemPagePrinter::print(const QList<PrintPage>& pages, QString* error) {
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (printers.isEmpty()) {
        if (error)
            *error = noPrinterMessage();
        return false;
    }
    QPrinterInfo target = QPrinterInfo::defaultPrinter();
    if (target.isNull())
        target = printers.first();
    QPrinter printer(target, QPrinter::HighResolution);
    printer.setDocName(u"Ravelko预选号码"_s);
    printer.setFullPage(true);
    return paintPages(pages, printer, error);
}

} // namespace ssq
