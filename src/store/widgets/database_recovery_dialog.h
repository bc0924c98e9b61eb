#pragma once
// The start-up question when ssq.mdb cannot be used: why, and the three ways on (restore the
// backup, start with a new empty database keeping the bad file under a new name, quit).

#include "store/database_recovery.h"

#include <QDialog>

namespace ssq {

class DatabaseRecoveryDialog : public QDialog {
    Q_OBJECT
public:
    explicit DatabaseRecoveryDialog(const RecoveryOffer& offer, QWidget* parent = nullptr);

    // Quit until a button says otherwise (closing the dialog quits too).
    RecoveryChoice choice() const { return m_choice; }

private:
    void choose(RecoveryChoice choice);

    RecoveryChoice m_choice = RecoveryChoice::Quit;
};

// Opens `db` at start-up, asking the user with the dialog above when it cannot be used.
// False: the program ends.
bool openDatabaseAtStart(Database& db);

} // namespace ssq
