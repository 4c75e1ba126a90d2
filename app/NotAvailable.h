#pragma once

#include <QString>

// The one answer of a command whose window is not part of the program yet:
// an information box "<what> is not available yet.", titled with the
// product name, through the prompt service.
void notAvailableYet(const QString& what);
