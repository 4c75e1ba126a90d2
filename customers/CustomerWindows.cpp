#include "customers/CustomerWindows.h"

#include "app/WindowCreators.h"

void registerCustomerWindows()
{
}
