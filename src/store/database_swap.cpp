#include "store/database_swap.h"

namespace ssq {

DatabaseSwap& databaseSwap() {
    static DatabaseSwap swap;
    return swap;
}

} // namespace ssq
