#include "customers/CustomerWindows.h"

#include "app/WindowCreators.h"
#include "customers/frmCustomer.h"
#include "customers/frmPS.h"

void registerCustomerWindows()
{
    WindowCreators::set(WindowCreators::Kind::Customer, [](QWidget*) -> QWidget* { return new frmCustomer; });
    WindowCreators::set(WindowCreators::Kind::PS, [](QWidget*) -> QWidget* { return new frmPS; });
}
