#pragma once
// What an operation tells its caller: done, or why not. The message is for the user either
// way (it may be empty after a success that needs no words). Results that carry more derive
// from it, so every caller reads ok and message the same way.

#include <QString>

namespace ssq {

struct Outcome {
    bool ok = false;
    QString message;

    static Outcome done(QString message = {}) { return {true, std::move(message)}; }
    static Outcome refused(QString message) { return {false, std::move(message)}; }
};

} // namespace ssq
