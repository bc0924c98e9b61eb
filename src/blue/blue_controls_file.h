#pragma once
// Blue controls files (*.ssqblue.json): the inputs of the blue-ball window as one JSON object,
// {"check": {"1".."16": 0/1}, "text": {"1".."28": "..."}, "option1": bool, "option2": bool}.
// Every key may be left out (unticked, empty, not chosen); a key that is there must be right,
// or the whole file is refused with a message that names the key.

#include "blue/blue_controls.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ssq {

QByteArray blueControlsFileBytes(const BlueControls& controls);

// nullopt with *error set when the bytes are not a blue controls file.
std::optional<BlueControls> parseBlueControlsFile(const QByteArray& bytes, QString* error);

// Writes the file whole or not at all; false with *error set on failure.
bool saveBlueControlsFile(const QString& path, const BlueControls& controls, QString* error);

std::optional<BlueControls> loadBlueControlsFile(const QString& path, QString* error);

} // namespace ssq
