#pragma once

#include <QString>
#include <QStringList>

// The shared utility object: one instance for the whole run, made on first
// use. Members keep their given names so that callers read alike everywhere.
// Members that need windows live in common/ui; this object links Qt Core only.
class clsSystem {
public:
    static clsSystem& instance();

    // --- Text and value conversions -------------------------------------

    // --- Dates and times --------------------------------------------------

    // --- Files and folders ------------------------------------------------

    // --- Shell, help and program environment ------------------------------

    // --- Messages and errors ----------------------------------------------

private:
    clsSystem() = default;
};

// Short form used throughout: Sys().MakeFullName(...)
inline clsSystem& Sys() { return clsSystem::instance(); }
