#pragma once

#include "cli/cli_context.h"

#include <QStringList>

namespace ssq::cli {

// ssq-cli [--db PATH] select --panel FILE [--list] [--hotcold-from-db] [--save]
//                           [--export FILE [--blue LIST]]: runs "红球选号"
// on the panel of a condition file and prints the result line, then with --list every kept
// combination in code order. --hotcold-from-db takes the hot/cold table from the database
// instead of the file, as the main window's hot/cold button does. --save then saves the kept
// combinations to hmbc as "保存所选号码" does, refusing more than 5000. --export writes every kept
// combination to FILE as "导出选号结果" does (.csv for CSV), each with every blue of LIST ("8,12"),
// and prints "导出\tTICKETS\tCOST\tFILE".
int runSelect(const CliContext& context, const QStringList& args);

} // namespace ssq::cli
