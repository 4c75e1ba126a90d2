#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// Where the per-user settings live: an INI file for organisation "Tarvelon",
// application "Brindlemark" in the user's configuration folder, unless a
// test has pointed them at a file of its own.
namespace SettingsFile {

// A settings object over the current file; each call opens it afresh, so
// values written through one are on disk when it is destroyed.
std::unique_ptr<QSettings> open();

// The file the settings are read from and written to.
QString path();

// Points the settings at `iniPath`; an empty text goes back to the default.
void setPath(const QString& iniPath);

// Points the settings at `iniPath` for the life of the object.
class Override {
public:
    explicit Override(const QString& iniPath);
    ~Override();
    Override(const Override&) = delete;
    Override& operator=(const Override&) = delete;

private:
    QString m_previous;
};

} // namespace SettingsFile
