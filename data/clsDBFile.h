#pragma once

#include <QString>

// The files of one table: its data file, its index file, and the index
// template in the program folder from which the index is rebuilt.
class clsDBFile {
public:
    QString Table;
    QString TableIndex;
    QString TableIndexSource;
};
