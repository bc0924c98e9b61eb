#pragma once
// Checks where a file is about to be saved or exported before anything is written: never over
// the database the program has open, nor over any SQLite database (a mistyped name in a save
// box must not turn the draw history into a ticket list). And the user's words for why a write
// failed when the disk or a size limit stopped it.

#include <QString>

namespace ssq {

// Empty when `path` may be written; otherwise the message for the user.
QString outputTargetProblem(const QString& path);

// The reason in a file system's error text, in the user's words where one is known (a full
// disk, a file larger than the system allows); otherwise the text itself.
QString fileErrorText(const QString& errorString);

// `failure` followed by the known reason in brackets, when there is one.
QString writeFailureText(const QString& failure, const QString& errorString);

// A write past the process's file-size limit then fails with an error the program reports (EFBIG)
// instead of killing it with SIGXFSZ. Called once at start by both programs.
void reportFileSizeLimitAsError();

} // namespace ssq
