#pragma once
// Announces that the database file is about to be swapped (replace, compact) and has been
// opened again, so windows can let go of their grids' queries first and show them again after.

#include <QObject>

namespace ssq {

class DatabaseSwap : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

Q_SIGNALS:
    void aboutToClose();
    void reopened();
};

// The one announcer of the program.
DatabaseSwap& databaseSwap();

} // namespace ssq
