#pragma once
// Condition files (*.ssqpanel.json): the whole condition panel and the hot/cold table as one
// JSON object. Every key may be left out; a key that is there must be right, or the whole file
// is refused with a message that names the key, so a panel is never half loaded.

#include "model/hot_cold.h"
#include "red/panel_state.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ssq {

struct ConditionFile {
    PanelState panel;
    HotColdValues hotCold{};
};

QByteArray conditionFileBytes(const PanelState& panel, const HotColdValues& hotCold);

// nullopt with *error set when the bytes are not a condition file.
std::optional<ConditionFile> parseConditionFile(const QByteArray& bytes, QString* error);

// Writes the file whole or not at all; false with *error set on failure.
bool saveConditionFile(const QString& path, const PanelState& panel, const HotColdValues& hotCold,
                       QString* error);

std::optional<ConditionFile> loadConditionFile(const QString& path, QString* error);

} // namespace ssq
