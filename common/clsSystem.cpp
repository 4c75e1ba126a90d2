#include "common/clsSystem.h"

clsSystem& clsSystem::instance()
{
    static clsSystem sys;
    return sys;
}
