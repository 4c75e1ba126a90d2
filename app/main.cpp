#include "app/frmMain.h"
#include "common/Product.h"
#include "common/ui/WidgetPrompts.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(Product::maker());
    QApplication::setApplicationName(Product::name());
    QApplication::setApplicationVersion(Product::version());

    WidgetPrompts prompts;
    setPrompts(&prompts);

    frmMain window;
    window.show();
    const int code = QApplication::exec();
    setPrompts(nullptr);
    return code;
}
