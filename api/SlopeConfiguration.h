#pragma once

#include "Angle.h"
#include "QuoriaExport.h"

namespace Quoria
{

// One weld-bevel slope of a counterbored specimen: the step it makes
// (height), how far it runs along the surface (width) and where it begins,
// measured from the specimen's middle (offset). Zero is valid for each.
class QUORIA_API SlopeConfiguration
{
public:
    SlopeConfiguration(double height, double width, double offset);
    SlopeConfiguration(const SlopeConfiguration& other) = default;
    SlopeConfiguration(SlopeConfiguration&& other) = default;
    SlopeConfiguration& operator=(const SlopeConfiguration& other) = default;
    SlopeConfiguration& operator=(SlopeConfiguration&& other) = default;

    double GetHeight() const;
    void SetHeight(double height);
    double GetWidth() const;
    void SetWidth(double width);
    double GetOffset() const;
    void SetOffset(double offset);

    // atan(height / width): pi/2 for a zero width, NaN when both are zero.
    Tessam::Geometry3D::Angle GetAngle() const;

private:
    double height;
    double width;
    double offset;
};

} // namespace Quoria
