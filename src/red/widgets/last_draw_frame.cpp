#include "red/widgets/last_draw_frame.h"

#include "model/indicators.h"
#include "red/last_draw_row.h"
#include "store/database.h"
#include "ui/prompter.h"
#include "ui/widgets/named_widgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

constexpr int kNumberBoxWidth = 34;
constexpr int kCodeBoxWidth = 78;
constexpr int kDigitBoxWidth = 30;

QLabel* centredLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    return label;
}

} // namespace

LastDrawFrame::LastDrawFrame(Database& db, QWidget* parent)
    : QGroupBox(u"上期开奖号输入"_s, parent), m_db(db) {
    setObjectName(u"Frame1"_s);

    m_autoInput = namedButton(u"Command1"_s, u"自动输入上期号:"_s, this);
    m_convert = namedButton(u"Command2"_s, u"转换为代码："_s, this);
    m_acQuery = namedButton(u"Command3"_s, u"AC值查询"_s, this);
    m_acQuery->setToolTip(QString::fromUtf8(acScaleNote()));

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    grid->setContentsMargins(8, 2, 8, 6);

    int column = 0;
    grid->addWidget(m_autoInput, 1, column++);
    grid->addWidget(centredLabel(u"红球号码（从小到大）"_s, this), 0, column, 1, 6);
    for (int i = 1; i <= 6; ++i)
        grid->addWidget(makeBox(i, kNumberBoxWidth), 1, column++);
    grid->addWidget(centredLabel(u"蓝球"_s, this), 0, column);
    grid->addWidget(makeBox(7, kNumberBoxWidth), 1, column++);
    grid->setColumnMinimumWidth(column++, 6);
    grid->addWidget(m_convert, 1, column++);
    grid->addWidget(centredLabel(u"整个代码"_s, this), 0, column);
    grid->addWidget(makeBox(8, kCodeBoxWidth), 1, column++);
    const QStringList places = {u"百万"_s, u"十万"_s, u"万位"_s, u"千位"_s,
                                u"百位"_s, u"十位"_s, u"个位"_s};
    for (int i = 9; i <= 15; ++i) {
        grid->addWidget(centredLabel(places[i - 9], this), 0, column);
        grid->addWidget(makeBox(i, kDigitBoxWidth), 1, column++);
    }
    grid->setColumnMinimumWidth(column++, 6);
    grid->addWidget(m_acQuery, 1, column++);
    grid->setColumnStretch(column, 1);

    connect(m_convert, &QPushButton::clicked, this, &LastDrawFrame::convertToCode);
    connect(m_autoInput, &QPushButton::clicked, this, &LastDrawFrame::fillNewestDraw);
}

QLineEdit* LastDrawFrame::makeBox(int index, int width) {
    auto* box = new QLineEdit(this);
    box->setObjectName(u"Text1_%1"_s.arg(index));
    box->setFixedWidth(width);
    box->setAlignment(Qt::AlignCenter);
    m_boxes[index] = box;
    return box;
}

QLineEdit* LastDrawFrame::box(int index) const {
    Q_ASSERT(index >= kFirstBox && index <= kLastBox);
    return m_boxes[index];
}

QString LastDrawFrame::text(int index) const {
    return box(index)->text();
}

void LastDrawFrame::setText(int index, const QString& text) {
    box(index)->setText(text);
}

std::array<QString, 6> LastDrawFrame::redTexts() const {
    std::array<QString, 6> reds;
    for (int i = 0; i < 6; ++i)
        reds[i] = text(1 + i);
    return reds;
}

std::array<QString, 7> LastDrawFrame::codeDigitTexts() const {
    std::array<QString, 7> digits;
    for (int i = 0; i < 7; ++i)
        digits[i] = text(9 + i);
    return digits;
}

void LastDrawFrame::convertToCode() {
    const CodeConversion conversion = ssq::convertToCode(redTexts());
    switch (conversion.outcome) {
    case CodeConversion::Outcome::NotAscending:
        prompter().message(this, notAscendingMessage());
        return;
    case CodeConversion::Outcome::Ignored:
        return;
    case CodeConversion::Outcome::Converted:
        break;
    }
    setText(8, conversion.codeText);
    for (int i = 0; i < 7; ++i)
        setText(9 + i, conversion.digits[i]);
}

void LastDrawFrame::fillNewestDraw() {
    const NewestDraw draw = readNewestDraw(m_db.connection());
    if (!draw.ok) {
        prompter().message(this, draw.error, Prompter::Icon::Warning);
        return;
    }
    for (int i = 0; i < 7; ++i)
        setText(1 + i, i < draw.values.size() ? draw.values[i] : QString());
    Q_EMIT recordsOpened(newestDrawQuery());
}

} // namespace ssq
