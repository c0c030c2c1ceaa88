#pragma once

#include "SlopeConfiguration.h"
#include "Vector.h"

#include <cstddef>

namespace Quoria
{

// The four slopes of a counterbored plate or pipe, by their index in the
// slope array (index 0 is quadrant 1). Quadrants 1 and 2 lie on the +y side
// of the weld (at positive angles round an x-oriented pipe), 3 and 4 on the
// other; 1 and 4 are cut into the plate's bottom face, which on a pipe is the
// bore, and 2 and 3 into the top face or the outside.

inline bool IsOnPlusSide(std::size_t quadrant)
{
    return quadrant == 0 || quadrant == 1;
}

inline double SideSign(std::size_t quadrant)
{
    return IsOnPlusSide(quadrant) ? 1.0 : -1.0;
}

inline bool IsBottomOrBore(std::size_t quadrant)
{
    return quadrant == 0 || quadrant == 3;
}

// Quadrants 1 and 3 are the mirror images of 2 and 4: their slope faces run
// the other way round, so that every normal points out of the material.
inline bool IsOddQuadrant(std::size_t quadrant)
{
    return quadrant == 0 || quadrant == 2;
}

// A slope's steps along y from the middle plane, signed for its side: to
// where the slope begins, across it, and from its end on to the specimen's
// end at `halfExtent`.
struct SlopeSteps
{
    Tessam::Geometry3D::Vector offset;
    Tessam::Geometry3D::Vector width;
    Tessam::Geometry3D::Vector beyond;
};

inline SlopeSteps StepsAlongY(const SlopeConfiguration& slope, std::size_t quadrant, double halfExtent)
{
    using Tessam::Geometry3D::Vector;
    const double side = SideSign(quadrant);
    const double beyond = (halfExtent - slope.GetWidth()) - slope.GetOffset();
    return {Vector(0.0, side * slope.GetOffset(), 0.0), Vector(0.0, side * slope.GetWidth(), 0.0),
            Vector(0.0, side * beyond, 0.0)};
}

} // namespace Quoria
