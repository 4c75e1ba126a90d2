#include "common/Product.h"

#include <gtest/gtest.h>

TEST(Product, NamesTheProductAndMaker)
{
    EXPECT_EQ(Product::name(), QStringLiteral("Brindlemark"));
    EXPECT_EQ(Product::maker(), QStringLiteral("Tarvelon"));
    EXPECT_TRUE(Product::website().startsWith(QStringLiteral("https://")));
}
