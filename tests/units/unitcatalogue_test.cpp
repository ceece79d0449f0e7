#include "unitcatalogue.h"

#include <gtest/gtest.h>

TEST(UnitCatalogueTest, Builds73Rows) {
    metrivo::UnitCatalogue c;
    c.LoadUnits();
    EXPECT_EQ(c.UpperBound(), 72);
}
