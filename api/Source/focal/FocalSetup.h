#pragma once

#include "Point.h"
#include "TraceScene.h"

#include <cstddef>
#include <vector>

namespace Quoria
{

// Checks shared by the focal-law calls; each throws std::invalid_argument
// with a message that begins with `method`.

// `what` names the points in the message ("Element", "Focal point").
void CheckFinite(const std::vector<Tessam::Geometry3D::Point>& points, const char* what, const char* method);

// The solid the elements are in: the first, in the configuration's order,
// that holds the first element inside or on a face; every other element
// must be in it too.
std::size_t LocateElements(const TraceScene& scene, const std::vector<Tessam::Geometry3D::Point>& elements,
                           const char* method);

} // namespace Quoria
