#pragma once

#include "xbase/c4.h"

#include <QString>

// One row of the report column catalogue in memory. The report windows build
// their display and filter columns from these; a report definition stores
// only ColID.
class clsRepDispCol {
public:
    clsRepDispCol() { Reset(); }
    ~clsRepDispCol() { Reset(); }

    qint32 ColID = -1;
    QString rpttype;
    QString purpose;
    QString name;        // the custom label (one trailing ":" dropped) when set
    QString fldname;
    QString tblname;
    QString datatype;
    QString customname;
    qint32 order = -1;
    qint32 cattype = -1;

    // ColID, order and cattype -1, the texts "".
    void Reset();
    // Reads the catalogue row `id` through `handle` (null: the catalogue is
    // opened for this call). A handle handed in keeps its selected tag and
    // current record, so that a walk over it goes on where it was. An
    // identifier that the catalogue lacks is reported under
    // "clsRepDispCol_Init" and leaves the texts empty with ColID set.
    void Init(qint32 id, DATA4* handle);
};
