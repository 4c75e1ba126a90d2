#include "customers/CustomerWindows.h"

#include "app/WindowCreators.h"
#include "customers/frmCustomer.h"

void registerCustomerWindows()
{
    WindowCreators::set(WindowCreators::Kind::Customer, [](QWidget*) -> QWidget* { return new frmCustomer; });
}
