#pragma once
// Reading and writing whole files in tests.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ssq::test {

// The file's bytes; empty when it cannot be read.
QByteArray bytesOf(const QString& path);
// Replaces the file's contents; false unless every byte was written.
bool writeBytes(const QString& path, const QByteArray& bytes);
// The file's lines as UTF-8, without a last empty one; empty when it cannot be read.
QStringList fileLines(const QString& path);

} // namespace ssq::test
