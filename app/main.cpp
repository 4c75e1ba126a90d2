#include "app/frmMain.h"
#include "common/Product.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(Product::maker());
    QApplication::setApplicationName(Product::name());
    QApplication::setApplicationVersion(Product::version());

    frmMain window;
    window.show();
    return QApplication::exec();
}
