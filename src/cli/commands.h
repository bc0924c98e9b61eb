#pragma once
// The commands of ssq-cli: each takes the options given before its name and its own arguments
// and returns the exit status. Output goes to standard output and error as UTF-8; every output
// format here is relied on by scripts and stays as it is.

#include "model/red_code.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdint>
#include <memory>
#include <vector>

namespace ssq {
class Database;
}

namespace ssq::cli {

struct CliContext {
    // --db PATH, or the program's own ssq.mdb when not given.
    QString dbPath;
};

// Exit statuses shared by the commands.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // the store or a file failed
constexpr int kExitUsage = 2;   // the arguments are wrong
// A refused run: the engine's refusal, a bad settings or ticket file, too short a history, a
// database file that does not exist for a command that only reads. Nothing was changed.
constexpr int kExitRefused = 3;

// Makes the console take UTF-8 (Windows); call once at the start of main.
void setUpConsole();
QTextStream& out();
QTextStream& err();

// Opens the database the context names; on failure prints the reason and returns nullptr.
std::unique_ptr<Database> openDatabase(const CliContext& context);
// The same for a command that only reads: a missing file is refused (*status kExitRefused), never
// created; any other failure sets *status to kExitFailure.
std::unique_ptr<Database> openExistingDatabase(const CliContext& context, int* status);

// ssq-cli [--db PATH] info: opens the database and tells what it holds.
int runInfo(const CliContext& context, const QStringList& args);

// ssq-cli [--db PATH] drawn R1 R2 R3 R4 R5 R6: "往期开出查询" for six different reds 1..33 in
// any order; prints the window's answer ("您要查询的号已经在第7002期开出过了" or
// "您要查询的数据未曾开出"). Other numbers are refused with the window's message (exit status 3).
int runDrawn(const CliContext& context, const QStringList& args);

// ssq-cli [--db PATH] import FILE [--from ISSUE]: adds the draws of a history file, each stored
// as adding it by hand would store it; all of them or, on any problem, none.
int runImport(const CliContext& context, const QStringList& args);

// backup, restore and compact: the maintenance items of the main window's menu, on the same
// logic, for scripts. The backup folder is the program's (SSQ_BACKUP_DIR overrides it).
int runBackup(const CliContext& context, const QStringList& args);
int runRestore(const CliContext& context, const QStringList& args);
int runCompact(const CliContext& context, const QStringList& args);

// ssq-cli code R1 R2 R3 R4 R5 R6: the red code, the code text and the seven code digits.
int runCode(const CliContext& context, const QStringList& args);

// ssq-cli [--db PATH] check: "上期条件查错" on the saved condition set in tjbc and the newest
// draw. Prints the check's message, then the numbers of the failed conditions separated by
// blanks (an empty line when none failed).
int runCheck(const CliContext& context, const QStringList& args);

// ssq-cli [--db PATH] select --panel FILE [--list] [--hotcold-from-db] [--save]
//                           [--export FILE [--blue LIST]]: runs "红球选号"
// on the panel of a condition file and prints the result line, then with --list every kept
// combination in code order. --hotcold-from-db takes the hot/cold table from the database
// instead of the file, as the main window's hot/cold button does. --save then saves the kept
// combinations to hmbc as "保存所选号码" does, refusing more than 5000. --export writes every kept
// combination to FILE as "导出选号结果" does (.csv for CSV), each with every blue of LIST ("8,12"),
// and prints "导出\tTICKETS\tCOST\tFILE". --cover G [--seed S] prints, after the kept combinations,
// tickets among them that every kept combination shares G (5 or 4) reds with, then
// "缩水\tTICKETS\tKEPT\tG\t已验证".
int runSelect(const CliContext& context, const QStringList& args);

// ssq-cli [--db PATH] backtest --panel FILE --last N [--hotcold-from-history]: the panel of a
// condition file judged against each of the last N stored draws, oldest first, one line each:
// ISSUE<TAB>保留|淘汰<TAB>KEPT_COUNT<TAB>FAILED (the failed condition numbers, comma-separated),
// then SUMMARY<TAB>kept draws<TAB>targets<TAB>average kept count (one decimal). The file's
// hot/cold table serves every target unless --hotcold-from-history gives each target the
// values over the draws before it. With --by-condition one line per condition in use follows, in
// condition order: CONDITION<TAB>CAPTION<TAB>ALONE_FAILED<TAB>FAILED_DRAWS<TAB>N.
// A refusal goes to standard error with exit status 3.
int runBacktest(const CliContext& context, const QStringList& args);

// ssq-cli blue --controls FILE: runs "蓝球选号" on the inputs of a blue controls file. Prints
// Text29..Text44 on one line separated by tabs (empty fields where there is no number), then
// Text45. A bad file or a strict-list box that names no condition 0..10 is refused (status 3).
int runBlue(const CliContext& context, const QStringList& args);

// ssq-cli [--db PATH] analyse <subcommand> [arguments...]: the analyses of the number
// characteristics window, writing the same tables.
int runAnalyse(const CliContext& context, const QStringList& args);

// ssq-cli [--db PATH] analyse blue [--window N]: "蓝球号码分析" with N as the answer to its
// prompt (no answer, or one not above 0, means 50, said on standard error). Writes lqtx rows
// 1..4 and prints them, one a line: the row's label and the 16 counts, separated by tabs.
// An answer above the number of draws or not a whole number is refused (status 3) and nothing
// is written. `args` are the arguments after "blue".
int runAnalyseBlue(const CliContext& context, const QStringList& args);

// ssq-cli game --pick "R1 … R7 B" --draws N [--seed S]: fourteen lines R<TAB>H<TAB>COUNT for
// R = 0..6 reds hit and H = 0/1 blue missed/hit.
// ssq-cli game --pick "…" --until R H [--seed S]: the number of draws it took, then the draw
// that met the target (six reds in draw order, then the blue).
// A bad pick or target: message on standard error, exit status 3.
int runGame(const CliContext& context, const QStringList& args);

// ssq-cli [--db PATH] prize --tickets FILE [--issue ISSUE]: checks the tickets of a file against
// a stored draw (the newest unless ISSUE is given) and prints the count of each level
// "一等奖\tN" .. "六等奖\tN", then "固定奖金\tAMOUNT" and "投注\tTICKETS\tCOST". A malformed line
// is refused naming its line number (exit status 3) and nothing is checked.
int runPrize(const CliContext& context, const QStringList& args);

// ssq-cli trend --last N [--grid]: the statistics rows of the number trend chart, or its grid
// of omissions.
int runTrend(const CliContext& context, const QStringList& args);

// ssq-cli wheel --pool "R R R …" --guarantee M:G [--bankers "R …"] [--seed S]: the tickets of a
// pool wheel, one a line "R1 R2 R3 R4 R5 R6" in ascending order, then "旋转\tTICKETS\t已验证".
// A pool outside 7..20, a guarantee outside 中3..6 保2..M, a banker not in the pool or a
// repeated number is refused (exit status 3). Needs no database.
int runWheel(const CliContext& context, const QStringList& args);

// The tickets one a line, as wheel and select --cover print them.
void printTickets(QTextStream& stream, const std::vector<RedCombo>& tickets);

// Reads a --seed value; false when it is no whole number >= 0.
bool readSeed(const QString& text, std::uint64_t* seed);

// ssq-cli [--db PATH] paste FILE|- [--dry-run] and update [--source URL] [--dry-run]: the draws
// found in pasted text or fetched from the draw-notice service, one line each oldest first
// (ISSUE<TAB>R1 R2 R3 R4 R5 R6+B<TAB>STATUS), then 合计<TAB>NEW<TAB>STORED<TAB>PROBLEMS. The new
// draws are stored unless --dry-run or a problem (then nothing is stored, exit status 3).
int runPaste(const CliContext& context, const QStringList& args);
int runUpdate(const CliContext& context, const QStringList& args);

} // namespace ssq::cli
