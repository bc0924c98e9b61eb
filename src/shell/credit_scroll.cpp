#include "shell/credit_scroll.h"

namespace ssq {

CreditStep nextCreditStep(int leftTwips) {
    if (leftTwips < kCreditWrapTwips)
        return {leftTwips + kCreditStepTwips, true};
    return {kCreditRestartTwips, false};
}

} // namespace ssq
