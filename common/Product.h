#pragma once

#include <QString>

// Names the program shows of itself. Every text that names the product uses
// these, never a literal.
namespace Product {

QString name();       // "Brindlemark"
QString maker();      // "Tarvelon"
QString title();      // the program's title: the product name
QString website();    // the maker's web site
QString version();    // "major.minor.patch" of this build

} // namespace Product
