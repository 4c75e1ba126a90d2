#include "import/ImportWindows.h"

#include "app/WindowCreators.h"
#include "import/frmDataImport.h"

void registerImportWindows()
{
    WindowCreators::set(WindowCreators::Kind::DataImport, [](QWidget*) -> QWidget* { return new frmDataImport; });
}
