#include "DifferenceOnSets.h"
#include "Disk.h"
#include "IntersectionOnSets.h"
#include "Polygon.h"
#include "Quoria.h"
#include "TestSupport.h"
#include "UnionOnSets.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>

using namespace Tessam::Geometry3D;

namespace
{

Polygon Square(double low, double high)
{
    return Polygon({Point(low, low, 0), Point(high, low, 0), Point(high, high, 0), Point(low, high, 0)});
}

} // namespace

TEST(SetOperator, OnlyTheDirectionsOfTheNormalsMustAgree)
{
    // Parallel planes with opposite normals: offsets are not compared.
    const Disk lower(Point(0, 0, 0), 1.0, Vector(0, 0, 1));
    const Disk upper(Point(0, 0, 1), 1.0, Vector(0, 0, -1));
    EXPECT_NO_THROW(UnionOnSets(&lower, &upper));

    const Disk vertical(Point(0, 0, 0), 1.0, Vector(0, 1, 0));
    ExpectRejections({
        {"UnionOnSets::UnionOnSets : Both surfaces", [&] { UnionOnSets(&lower, &vertical); }},
        {"IntersectionOnSets::IntersectionOnSets : Both surfaces",
         [&] { IntersectionOnSets(&lower, &vertical); }},
        {"DifferenceOnSets::DifferenceOnSets : Both surfaces", [&] { DifferenceOnSets(&lower, &vertical); }},
    });
}

TEST(SetOperator, OwnsCopiesOfItsOperands)
{
    auto first = std::make_unique<Polygon>(Square(0, 2));
    auto second = std::make_unique<Polygon>(Square(1, 3));
    const UnionOnSets both(first.get(), second.get());
    const UnionOnSets swapped(second.get(), first.get());
    const IntersectionOnSets common(first.get(), second.get());
    const DifferenceOnSets firstOnly(first.get(), second.get());
    EXPECT_NE(both.GetFirstSurface(), first.get());
    EXPECT_TRUE(*both.GetFirstSurface() == *first && *both.GetSecondSurface() == *second);
    first.reset();
    second.reset();

    // Boundaries belong to each operand, so the second one's is outside a difference.
    EXPECT_TRUE(both.Contains(Point(0.5, 0.5, 0)) && both.Contains(Point(2.5, 2.5, 0)));
    EXPECT_FALSE(both.Contains(Point(0.5, 2.5, 0)));
    EXPECT_TRUE(common.Contains(Point(1, 1, 0)) && common.Contains(Point(2, 2, 0)));
    EXPECT_FALSE(common.Contains(Point(0.5, 0.5, 0)));
    EXPECT_TRUE(firstOnly.Contains(Point(0.5, 0.5, 0)));
    EXPECT_FALSE(firstOnly.Contains(Point(1.5, 1, 0)));

    // Each kind clones to its own kind, over new copies, and equals only
    // operators of its own kind.
    const BooleanOperatorOnSets* kinds[] = {&both, &common, &firstOnly};
    for (const BooleanOperatorOnSets* kind : kinds)
    {
        const std::unique_ptr<BooleanOperatorOnSets> copy(kind->Clone());
        const BooleanOperatorOnSets& copied = *copy;
        EXPECT_EQ(typeid(copied), typeid(*kind));
        EXPECT_NE(copy->GetFirstSurface(), kind->GetFirstSurface());
        EXPECT_TRUE(copied == *kind);
        for (const BooleanOperatorOnSets* other : kinds)
        {
            EXPECT_EQ(*kind == *other, kind == other);
        }
    }
    EXPECT_FALSE(both == swapped);
}
