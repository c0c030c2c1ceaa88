#pragma once

// Calls one exported factory with parameters drawn from the input. Shared by
// the factory harness, which feeds anything, and the beam harness, which
// mostly wants solids that exist.

#include "Factories.h"
#include "FuzzInput.h"
#include "SlopeConfiguration.h"
#include "Solid.h"

#include <array>

namespace QuoriaFuzz
{

const int FactoryCount = 11;

inline Quoria::SlopeConfiguration MakeSlope(FuzzInput& input, double largest)
{
    Quoria::SlopeConfiguration slope(input.Length(largest), input.Length(largest), input.Length(largest));
    // The setters validate as the constructor does.
    switch (input.Choose(8))
    {
    case 0:
        slope.SetHeight(input.Length(largest));
        break;
    case 1:
        slope.SetWidth(input.Length(largest));
        break;
    case 2:
        slope.SetOffset(input.Length(largest));
        break;
    default:
        break;
    }
    return slope;
}

inline std::array<const Quoria::SlopeConfiguration, 4> MakeSlopes(FuzzInput& input, double largest)
{
    // Zero slopes, shared heights and exact limits are where the faces change,
    // so the four are often copies of one another or plain zeros.
    const Quoria::SlopeConfiguration first = MakeSlope(input, largest);
    const Quoria::SlopeConfiguration zero(0, 0, 0);
    auto next = [&]() -> Quoria::SlopeConfiguration
    {
        switch (input.Choose(3))
        {
        case 0:
            return first;
        case 1:
            return zero;
        default:
            return MakeSlope(input, largest);
        }
    };
    const Quoria::SlopeConfiguration second = next();
    const Quoria::SlopeConfiguration third = next();
    const Quoria::SlopeConfiguration fourth = next();
    return {first, second, third, fourth};
}

// `scale` bounds the lengths drawn; the centre is drawn near the origin.
inline const Tessam::Geometry3D::Solid* CallFactory(FuzzInput& input, int which, double scale)
{
    using Tessam::Geometry3D::Point;
    const Point centre = input.Choose(8) == 0 ? input.AnyPoint() : input.GridPoint(scale);
    switch (which)
    {
    case 0:
        return Quoria::CreateAxisAlignedPlate(centre, input.Length(scale), input.Length(scale),
                                              input.Length(scale));
    case 1:
        return Quoria::CreateXOrientedBar(centre, input.Length(scale), input.Length(scale));
    case 2:
        return Quoria::CreateYOrientedBar(centre, input.Length(scale), input.Length(scale));
    case 3:
        return Quoria::CreateXOrientedPipe(centre, input.Length(scale), input.Length(scale),
                                           input.Length(scale));
    case 4:
        return Quoria::CreateYOrientedPipe(centre, input.Length(scale), input.Length(scale),
                                           input.Length(scale));
    case 5:
    {
        const double sizeX = input.Length(scale);
        const double sizeY = input.Length(scale);
        const double sizeZ = input.Length(scale);
        return Quoria::CreateAxisAlignedCounterboredPlate(centre, sizeX, sizeY, sizeZ,
                                                          MakeSlopes(input, scale / 4.0));
    }
    case 6:
    case 7:
    {
        const double inner = input.Length(scale);
        const double outer = input.Length(scale);
        const double length = input.Length(scale);
        const auto slopes = MakeSlopes(input, scale / 4.0);
        return which == 6 ? Quoria::CreateXOrientedCounterboredPipe(centre, inner, outer, length, slopes)
                          : Quoria::CreateYOrientedCounterboredPipe(centre, inner, outer, length, slopes);
    }
    case 8:
    {
        const double length = input.Length(scale);
        const double width = input.Length(scale);
        const double height = input.Length(scale);
        const double wedgeAngle = input.AngleValue();
        const double roofAngle = input.Choose(8) == 0 ? input.AnyDouble() : 0.0;
        return Quoria::CreateWedgeOnAxisAlignedPlate(centre, length, width, height, wedgeAngle, roofAngle,
                                                     input.AngleValue() * 4.0);
    }
    default:
    {
        const double length = input.Length(scale);
        const double width = input.Length(scale);
        const double height = input.Length(scale);
        const double wedgeAngle = input.AngleValue();
        const double roofAngle = input.Choose(8) == 0 ? input.AnyDouble() : 0.0;
        const Point cylinder = input.Choose(8) == 0 ? input.AnyPoint() : input.GridPoint(scale);
        return which == 9 ? Quoria::CreateWedgeOnXOrientedCylinder(centre, length, width, height, wedgeAngle,
                                                                   roofAngle, cylinder)
                          : Quoria::CreateWedgeOnYOrientedCylinder(centre, length, width, height, wedgeAngle,
                                                                   roofAngle, cylinder);
    }
    }
}

} // namespace QuoriaFuzz
