#pragma once

#include <QString>

// A trapped run-time error as ShowError reports it: a number (0 means "no
// error"), the source that raised it, a description, and the help topic that
// explains it. Procedures that fail fill one in and hand it to ShowError with
// their own label; the procedure then returns its failure value.
struct RunError {
    long number = 0;
    QString source;
    QString description;
    QString helpFile;
    int helpContext = 0;

    bool isError() const { return number != 0; }

    // Errors of the file operations, numbered as the system has always
    // numbered them, raised by the product itself.
    static RunError make(long number, const QString& description);
    static RunError fileNotFound();        // 53
    static RunError fileAlreadyExists();   // 58
    static RunError permissionDenied();    // 70
    static RunError pathFileAccess();      // 75
    static RunError pathNotFound();        // 76
    static RunError deviceIO();            // 57
};
