#pragma once
// Tables and columns of ssq.mdb. Columns are reached by position everywhere, so the order
// of every column list below is part of the file format.

#include <QString>
#include <QStringList>

namespace ssq::schema {

// Bumped whenever the layout changes, so a later program can recognise and upgrade a file.
constexpr int kVersion = 1;

inline const QString kKjhm = QStringLiteral("kjhm");
inline const QString kKjdm = QStringLiteral("kjdm");
inline const QString kKjzb = QStringLiteral("kjzb");
inline const QString kTjbc = QStringLiteral("tjbc");
inline const QString kHmbc = QStringLiteral("hmbc");
inline const QString kLqtjbc = QStringLiteral("lqtjbc");
inline const QString kHmtx = QStringLiteral("hmtx");
inline const QString kRhmtx = QStringLiteral("rhmtx");
inline const QString kRlhtx = QStringLiteral("rlhtx");
inline const QString kLqtx = QStringLiteral("lqtx");

inline const QString kIssue = QStringLiteral("期号");
inline const QString kNumber = QStringLiteral("编号");
inline const QString kSerial = QStringLiteral("序号");
inline const QString kTotal = QStringLiteral("累计开出");
inline const QString kOmission = QStringLiteral("遗漏期数");

// Positions in the draw tables.
constexpr int kKjhmColumns = 50;   // 期号, H1..H33, L1..L16
constexpr int kKjhmFirstBlue = 34; // L1; blue b sits at 33 + b
constexpr int kKjdmColumns = 63;
constexpr int kKjzbColumns = 44;
constexpr int kKjzbDrawText = 1;       // 号码文本
constexpr int kKjzbCodeText = 2;       // 代码文本
constexpr int kKjzbFirstIndicator = 3; // indicator k at k + 2

// Shipped row counts of the tables the program only overwrites.
constexpr int kTjbcRows = 157;
constexpr int kLqtjbcRows = 31;
constexpr int kHmtxRows = 5;
constexpr int kRhmtxRows = 528;
constexpr int kRlhtxRows = 32;
constexpr int kLqtxRows = 4;
// 编号 of hmbc's kept first row: none of the saved rows' 1, 6, 11, ...
constexpr int kHmbcFirstRowNumber = 0;

struct Column {
    QString name;
    bool text = false; // TEXT affinity; otherwise NUMERIC
};

struct Table {
    QString name;
    QList<Column> columns;
};

// Every table of the file, in creation order.
const QList<Table>& tables();
const Table* table(const QString& name);

QStringList columnNames(const QString& table);

// CREATE TABLE statement of one table.
QString createStatement(const Table& table);

// Statements that fill a new file with the rows it ships with.
QStringList seedStatements();

// "01-02" for the pair (1, 2).
QString pairCaption(int a, int b);

} // namespace ssq::schema
