#include "app/frmMain.h"

#include "common/Product.h"

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Product::title());
    resize(900, 640);
}
