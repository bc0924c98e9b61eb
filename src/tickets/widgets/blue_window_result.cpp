#include "tickets/widgets/blue_window_result.h"

#include "ui/prompter.h"

#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kFirstBox = 29;
constexpr int kLastBox = 44;

} // namespace

BlueList blueWindowResult() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != u"Form3"_s || !window->isVisible())
            continue;
        QStringList texts;
        for (int i = kFirstBox; i <= kLastBox; ++i)
            if (auto* box = window->findChild<QLineEdit*>(u"Text%1"_s.arg(i)))
                texts.append(box->text());
        return blueListOfTexts(texts);
    }
    return {};
}

QString noBlueWindowResultMessage() {
    return u"蓝球选号窗口没有打开，或还没有蓝球选号结果。请先在“蓝球选号”中选号，或直接输入蓝球号码"_s;
}

void takeBlueWindowResult(QLineEdit* box, QWidget* parent) {
    const BlueList blues = blueWindowResult();
    if (blues.empty()) {
        prompter().message(parent, noBlueWindowResultMessage(), Prompter::Icon::Warning);
        return;
    }
    box->setText(blueListText(blues));
}

} // namespace ssq
