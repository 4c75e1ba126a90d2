#pragma once

#include "data/clsDBFile.h"

#include <QList>

#include <functional>

class QWidget;
class frmDBMaint;

// Opens the maintenance window over the main window.
class clsDBUtil {
public:
    static clsDBUtil& instance();

    // With no database open, says so ("No Database Open") and does nothing
    // else. Otherwise hands `files` to the maintenance window (made once as a
    // child of `owner` and kept) and shows it modally.
    void DlgDBMaintenance(QWidget* owner, const QList<clsDBFile>& files);

    // How the window is shown modally: exec() unless a test installed its own
    // (nullptr goes back to exec()). Returns the one it replaces.
    using ModalRunner = std::function<void(frmDBMaint&)>;
    static ModalRunner installModalRunner(ModalRunner runner);

private:
    clsDBUtil() = default;
};

inline clsDBUtil& DBUtil() { return clsDBUtil::instance(); }
