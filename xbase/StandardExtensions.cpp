#include "xbase/Engine.h"
#include "xbase/Index.h"

namespace xbase {

// Every engine attaches these to each table it opens. The structural index
// registers its open hook here.
void installStandardExtensions(Engine& engine)
{
    Index::install(engine);
}

} // namespace xbase
