#include "tickets/widgets/blue_window_result.h"

#include "ui/prompter.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace ssq {

BlueList currentBlues(const BlueResult& result) {
    return result ? result() : BlueList{};
}

QString noBlueWindowResultMessage() {
    return u"蓝球选号窗口没有打开，或还没有蓝球选号结果。请先在“蓝球选号”中选号，或直接输入蓝球号码"_s;
}

void takeBlueWindowResult(const BlueResult& result, QLineEdit* box, QWidget* parent) {
    const BlueList blues = currentBlues(result);
    if (blues.empty()) {
        prompter().message(parent, noBlueWindowResultMessage(), Prompter::Icon::Warning);
        return;
    }
    box->setText(blueListText(blues));
}

} // namespace ssq
