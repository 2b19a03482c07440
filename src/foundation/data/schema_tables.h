#pragma once
// The database schema as data: every table with its columns in creation order,
// typed as on the reference server. Each Dialect maps these types to its own DDL,
// and the schema builder creates missing tables and adds missing columns from it.
#include <vector>

namespace bv::schema {

enum class ColType {
    IntIdentity,     // int identity primary key
    BigIdentity,     // bigint identity primary key
    Int,             // int
    BigInt,          // bigint
    NVarChar,        // nvarchar(width)
    NText,           // nvarchar(max) / ntext
    Float,           // float
    Real,            // real
    Money,           // money: fixed point, four decimals
    Bit,             // bit
    Image,           // image: file bytes
    DateTimeNow,     // datetime DEFAULT GETDATE()
    DateTime,        // datetime without default
};

struct Column {
    const char *name;
    ColType type;
    int width = 0;  // characters, for NVarChar only
};

struct Index {
    const char *name;               // index name, unique in the database
    std::vector<const char *> columns;
    // Those of `columns` kept in Persian alphabetical order, so that the engine
    // can walk the index for a list ordered that way instead of sorting it.
    std::vector<const char *> persian = {};
};

struct Table {
    const char *name;               // as written in statements (lower case except where noted)
    std::vector<Column> columns;    // creation order; later upgrades appended in their order
    std::vector<Index> indexes = {};
    // Rows are seeded by the builder only when it has just created this table.
};

// Every table, in the order the builder creates them.
const std::vector<Table> &allTables();

// A table by name, compared without regard to case; nullptr when unknown.
const Table *findTable(const char *name);

}  // namespace bv::schema
