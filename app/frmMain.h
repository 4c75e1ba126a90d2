#pragma once

#include <QMainWindow>

// The main window: one instance for the whole run, tagged "MAINFORM".
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
};
