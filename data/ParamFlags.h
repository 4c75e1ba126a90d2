#pragma once

// The two switches of the parameter table as flags, read afresh at each call
// (another user may have changed them). A missing row, or any value but "1",
// is off.

// True when new issues may start from an issue template
// (parameter "ENABLE_ISSUE_TEMPLATES" is "1").
bool IsIssueTemplatesEnabled();

// 1 when customers are named by the person's name alone (parameter
// "CUSTOMERNAME_DISPLAY" is "1"), else 0. A list fill or a report run reads
// it once and hands it to each lookup (clsDB::GetCustomername).
long CustomerNameDisplayFlag();

// How many times CustomerNameDisplayFlag has read the parameter table since
// the program started: lets tests see that a fill reads it once.
long CustomerNameDisplayReads();
