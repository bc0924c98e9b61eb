#pragma once
// The main window's drop-down list of results: the first 5000 kept combinations.

#include "red/saved_results.h"

#include <QString>
#include <QStringList>

namespace ssq {

constexpr int kMaxListedResults = 5000;

struct ResultListing {
    QStringList items;
    QString message;
};

ResultListing listResults(int count, const ResultText& textAt);

} // namespace ssq
