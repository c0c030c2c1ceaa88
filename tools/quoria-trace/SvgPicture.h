#pragma once

#include "ArcSegment.h"
#include "BeamTracer.h"
#include "ISolid.h"
#include "Scenario.h"

#include <string>
#include <vector>

namespace QuoriaTrace
{

// Points along an arc, close enough together that the polyline looks smooth
// at any scale the picture uses; the first and last are the arc's ends.
std::vector<Tessam::Geometry3D::Point> SampleArc(const Tessam::Geometry3D::ArcSegment& arc);

// Three orthographic views (XZ, YZ, XY) of the specimens' edges and of the
// beams, with axes, a scale bar and a legend, as a standalone SVG document.
// +z points into the specimen, so it points down the page in XZ and YZ.
// Faces whose outline the library cannot give are left out and named in
// `warnings`.
std::string RenderSvg(const Scenario& scenario, const std::string& source,
                      const std::vector<const Tessam::Geometry3D::ISolid*>& solids,
                      const std::vector<BeamResult>& beams, std::vector<std::string>& warnings);

} // namespace QuoriaTrace
