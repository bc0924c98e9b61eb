#pragma once
// "从结果中随机选N注": the player asks for N tickets drawn at random from the kept combinations,
// with blue balls typed or taken from the blue-ball window; the picked tickets then stand as
// the result, to be listed, saved, printed and exported.

#include "red/selection_result.h"
#include "tickets/widgets/blue_window_result.h"

#include <QDialog>

#include <random>

class QLineEdit;

namespace ssq {

class RandomPickDialog : public QDialog {
    Q_OBJECT
public:
    // Picks from a copy of `kept`; `blues` gives "取蓝球选号结果" its numbers. Deletes itself when
    // closed.
    RandomPickDialog(SelectionResult kept, BlueResult blues, QWidget* parent = nullptr);

public Q_SLOTS:
    void pick();           // Command1
    void takeBlueResult(); // Command3

Q_SIGNALS:
    void picked(const ssq::SelectionResult& tickets);

private:
    SelectionResult m_kept;
    BlueResult m_blueResult;
    std::mt19937_64 m_random;
    QLineEdit* m_count = nullptr;
    QLineEdit* m_blues = nullptr;
};

} // namespace ssq
