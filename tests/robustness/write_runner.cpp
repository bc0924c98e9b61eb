// ssq-write-runner: runs one of the program's write paths that ssq-cli has no command for, the way
// the windows call it, for the kill and race tests. It alternates between two states (state B on
// the 1st, 3rd, ... write, state A on the 2nd, 4th, ...), so a file killed at any moment must hold
// exactly one of them.
//
//   ssq-write-runner PATH DB FILE COUNT     COUNT writes, 0 for writing until killed
//
// PATH is entry-add (adds the draw after the newest, then deletes it again), entry-modify
// (modifies the newest draw to other numbers and back), condition-set, blue-option-set,
// condition-file or blue-file (FILE is the file written). Exit 0 when every write was stored,
// 1 with the message on standard error when one was not.

#include "blue/blue_controls_file.h"
#include "blue/blue_option_set.h"
#include "red/condition_file.h"
#include "red/condition_set.h"
#include "store/database.h"
#include "store/draw_entry.h"
#include "store/draw_history.h"
#include "store/output_target.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;
using namespace ssq;

namespace {

PanelState panelOf(bool b) {
    PanelState panel;
    for (int i = 16; i < 170; ++i)
        panel.text1[static_cast<std::size_t>(i)] = QString::number(b ? i : 170 - i);
    panel.option1 = b;
    panel.check1[1] = b ? 1 : 0;
    return panel;
}

BlueControls controlsOf(bool b) {
    BlueControls controls;
    for (std::size_t i = 1; i < controls.check.size(); ++i)
        controls.check[i] = (i % 2 == 0) == b ? 1 : 0;
    for (std::size_t i = 1; i < controls.text.size(); ++i)
        controls.text[i] = QString::number(b ? i : 30 - i);
    controls.option1 = b;
    return controls;
}

// The draw entry writes: `next` is the draw added after the newest stored one.
std::optional<DrawInput> nextDraw(QSqlDatabase db, bool modify) {
    QString error;
    const std::optional<StoredDraw> newest = newestDraw(db, &error);
    if (!newest)
        return std::nullopt;
    DrawInput draw;
    draw.issue = modify ? newest->issue : newest->issue + 1;
    draw.red = {1, 2, 3, 4, 5, 6};
    draw.blue = 16;
    return draw;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    reportFileSizeLimitAsError();
    const QStringList args = QCoreApplication::arguments().mid(1);
    QTextStream err(stderr);
    if (args.size() != 4) {
        err << "usage: ssq-write-runner PATH DB FILE COUNT\n";
        return 2;
    }
    const QString path = args[0];
    const QString file = args[2];
    const int count = args[3].toInt();
    Database db(args[1]);
    QString error;
    if (!db.open(&error)) {
        err << error << '\n';
        return 1;
    }
    const QSqlDatabase connection = db.connection();

    std::optional<DrawInput> entry;
    std::optional<StoredDraw> original;
    if (path.startsWith(u"entry-"_s)) {
        entry = nextDraw(connection, path == u"entry-modify"_s);
        original = newestDraw(connection, &error);
        if (!entry || !original) {
            err << "no draws stored\n";
            return 1;
        }
    }

    // One write into state B (`b`) or back into state A; the message when it was not stored.
    const std::function<QString(bool)> write = [&](bool b) -> QString {
        if (path == u"entry-add"_s) {
            const EntryResult r = b ? addDraw(connection, *entry)
                                    : deleteDraw(connection, static_cast<double>(entry->issue));
            return r.written ? QString() : r.messages.value(r.messages.size() - 1).text;
        }
        if (path == u"entry-modify"_s) {
            DrawInput draw = *entry;
            if (!b) {
                draw.red = original->red;
                draw.blue = original->blue;
            }
            const EntryResult r = modifyDraw(connection, draw);
            return r.written ? QString() : r.messages.value(r.messages.size() - 1).text;
        }
        if (path == u"condition-set"_s) {
            PanelState panel = panelOf(b);
            const Outcome r = saveConditionSet(connection, panel);
            return r.ok ? QString() : r.message;
        }
        if (path == u"blue-option-set"_s) {
            const Outcome r = saveBlueOptionSet(connection, controlsOf(b));
            return r.ok ? QString() : r.message;
        }
        QString why;
        if (path == u"condition-file"_s)
            return saveConditionFile(file, panelOf(b), {}, &why) ? QString() : why;
        if (path == u"blue-file"_s)
            return saveBlueControlsFile(file, controlsOf(b), &why) ? QString() : why;
        return u"unknown path "_s + path;
    };

    for (int i = 0; count == 0 || i < count; ++i) {
        const QString failure = write(i % 2 == 0);
        if (!failure.isEmpty()) {
            err << failure << '\n';
            return 1;
        }
    }
    return 0;
}
