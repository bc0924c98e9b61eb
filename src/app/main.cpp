// The desktop program: opens ssq.mdb (in the program's folder, or the player's data folder when
// installed; see ui/app_paths.h) and starts on the welcome window.

#include "shell/widgets/welcome_window.h"
#include "store/database.h"
#include "store/output_target.h"
#include "store/widgets/database_recovery_dialog.h"
#include "ui/prompter.h"
#include "ui/translations.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ssq::reportFileSizeLimitAsError();
    QApplication::setApplicationName(u"ssq"_s);
    ssq::installChineseTranslations(app);

    ssq::Database db(ssq::Database::defaultPath());
    if (!ssq::openDatabaseAtStart(db))
        return 1;

    auto* welcome = new ssq::WelcomeWindow(db);
    welcome->show();
    return app.exec();
}
