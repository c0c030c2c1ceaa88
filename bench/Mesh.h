#pragma once

#include "Solid.h"

#include <array>
#include <cstddef>
#include <vector>

namespace QuoriaBench
{

// A triangle mesh of a solid's boundary, in double precision.
struct Mesh
{
    std::vector<std::array<double, 3>> vertices;
    std::vector<std::array<unsigned int, 3>> triangles;
    // Vertices of curved faces that the face itself does not contain: a
    // check that the tessellation follows the surfaces' own conventions.
    std::size_t strayVertices = 0;
    // Complex faces whose contour failed, meshed as their first operand.
    std::size_t substitutedFaces = 0;
};

// Curved faces get `segmentsPerTurn` facets around a full circle, arcs
// proportionally fewer. Throws for a kind of surface it cannot tessellate.
Mesh Tessellate(const Tessam::Geometry3D::Solid& solid, int segmentsPerTurn);

} // namespace QuoriaBench
