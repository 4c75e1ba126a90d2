#include "customers/CustomerWindows.h"

#include "app/WindowCreators.h"
#include "customers/frmCustomer.h"
#include "customers/frmCustomerList.h"
#include "customers/frmLookupCustomer.h"
#include "customers/frmPS.h"

void registerCustomerWindows()
{
    using WindowCreators::Kind;
    WindowCreators::set(Kind::Customer, [](QWidget*) -> QWidget* { return new frmCustomer; });
    WindowCreators::set(Kind::PS, [](QWidget*) -> QWidget* { return new frmPS; });
    WindowCreators::set(Kind::LookupCustomer, [](QWidget* parent) { return new frmLookupCustomer(parent); });
    WindowCreators::set(Kind::CustomerList, [](QWidget*) { return new frmCustomerList; });
}
