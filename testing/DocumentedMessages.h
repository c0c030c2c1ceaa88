#pragma once

// Every message with which the library rejects an argument, byte for byte
// (the degree sign is the single byte 0xB0): the one list the tests take
// their expected messages from and the fuzzers check every caught
// std::invalid_argument against.

#include <cstring>
#include <string>

namespace QuoriaTesting
{

inline const char* const DocumentedMessages[] = {
    "AcousticTracer::AcousticTracer : The configuration must contain at least one solid.",
    "AcousticTracer::AcousticTracer : The configuration must not contain a null solid.",
    "AcousticTracer::AcousticTracer : There must be one material per solid, in the same order.",
    "AcousticTracer::Trace : Beam refraction angle must be contained within ]-90\xB0"
    ", 90\xB0"
    "[.",
    "AcousticTracer::Trace : Entry point is not on the configuration or is on a corner.",
    "AcousticTracer::Trace : Every wave mode must be L or T.",
    "AcousticTracer::Trace : The total length must be positive or zero, and finite.",
    "AcousticTracer::Trace : The total time must be positive or zero, and finite.",
    "ArcSegment::ArcSegment : First point in not on the circle.",
    "ArcSegment::ArcSegment : Plane normal and radial orientation are not orthogonal.",
    "ArcSegment::ArcSegment : Plane normal is a null vector.",
    "ArcSegment::ArcSegment : Point is not contained in the segment.",
    "ArcSegment::ArcSegment : RadialOrientation is a null vector.",
    "ArcSegment::ArcSegment : Radius must be positive.",
    "ArcSegment::ArcSegment : Second point in not on the circle.",
    "Bar::Bar : Radius must be positive.",
    "CalculateTrace : The tracer must be one made by CreateRayTracer.",
    "ConicalSurface::ConicalSurface : Height must be positive.",
    "ConicalSurface::ConicalSurface : Orientation is a null vector.",
    "ConicalSurface::ConicalSurface : Radius of the base must be positive.",
    "ConicalSurface::GetNormal : Point is not contained in ConicalSurface.",
    "Contour::Contour : Every segment must be a line segment or an arc segment",
    "Contour::Contour : Plane normal cannot be defined if the contour is not closed",
    "Contour::Contour : Plane normal is incoherent with one of the arc segments",
    "Contour::Contour : Plane normal is incoherent with one of the line segments",
    "Contour::GetWindingDirection : Winding direction is not defined if the contour is not oriented",
    "Contour::Sort : The contour must be closed",
    "Contour::Sort : The contour must be oriented",
    "Contour::Sort : The point is not a vertex of the contour",
    "CreationUtilitiesWedge : Roof angle must be equal to 0\xB0"
    ".",
    "CreationUtilitiesWedge : The length of the wedge is too large compared to the cylinder's radius.",
    "CreationUtilitiesWedge : The width of the wedge is too large compared to the cylinder's radius.",
    "CreationUtilitiesWedge : Wedge angle must be contained within [-90\xB0"
    ", 90\xB0"
    "].",
    "CreationUtilitiesWedge : Wedge sizes must be larger than 0.",
    "CriticalAngle : Speeds must be positive and finite.",
    "CustomSolid::CustomSolid : Surface collection is invalid. A minimal surface quantity of 1 is required.",
    "CylindricalArcSurface::CylindricalArcSurface : Orientation and radial orientation are not orthogonal.",
    "CylindricalArcSurface::CylindricalArcSurface : Radial orientation is a null vector.",
    "CylindricalArcSurface::GetNormal : Point is not contained in CylindricalArcSurface.",
    "CylindricalSolid::CylindricalSolid : Height must be positive.",
    "CylindricalSolid::CylindricalSolid : Orientation is a null vector.",
    "CylindricalSurface::CylindricalSurface : Height must be positive.",
    "CylindricalSurface::CylindricalSurface : Orientation is a null vector.",
    "CylindricalSurface::CylindricalSurface : Radius must be positive.",
    "CylindricalSurface::GetNormal : Point is not contained in CylindricalSurface.",
    "DifferenceOnSets::DifferenceOnSets : Both surfaces must be in the same plane.",
    "DifferenceOnSets::DifferenceOnSets : The copy of an operand is not a flat surface.",
    "Disk::Disk : Radius must be a positive value.",
    "DiskSector::DiskSector : Normal and radial orientation are not orthogonal.",
    "DiskSector::DiskSector : Radial rientation is a null vector.",
    "IncidenceForRefractedAngle : Refracted angle must be contained within [-90\xB0"
    ", 90\xB0"
    "].",
    "IncidenceForRefractedAngle : Speeds must be positive and finite.",
    "IntersectionOnSets::IntersectionOnSets : Both surfaces must be in the same plane.",
    "IntersectionOnSets::IntersectionOnSets : The copy of an operand is not a flat surface.",
    "Line::ValidateDirection : Direction is a null vector.",
    "LineSegment::LineSegment : Point is not contained in the segment.",
    "Material::Material : The longitudinal speed must be positive and finite.",
    "Material::Material : The shear speed must be positive or zero, and finite.",
    "Material::Material : The shear speed must be smaller than the longitudinal speed.",
    "Pipe::Pipe : Inner radius must be smaller than outer radius.",
    "Pipe::Pipe : Radii must be positive.",
    "Plane::InitializeNormal : Normal is a null vector.",
    "Plane::Plane : Invalid point collection.",
    "Polygon::Polygon : Invalid point collection.",
    "RayTracer::CalculateLegsFromEntryPoint : Beam refraction angle must be contained within ]-90\xB0"
    ", 90\xB0"
    "[.",
    "RayTracer::CalculateLegsFromEntryPoint : Entry point is not on the configuration or is on a corner.",
    "RayTracer::CalculateLegsFromEntryPoint : Requested total ray length must be larger than 0.",
    "RayTracer::RayTracer : The configuration must contain at least one solid.",
    "RayTracer::RayTracer : The configuration must not contain a null solid.",
    "Rectangle::Rectangle : Invalid point collection.",
    "Rectangle::Rectangle : One of the angles is not a right angle.",
    "RectangularPrism::RectangularPrism : Prism sizes must be larger than 0.",
    "RectangularPrism::RectangularPrism : The three axis must form an orthogonal system.",
    "RefractedAngle : Incidence angle must be contained within [-90\xB0"
    ", 90\xB0"
    "].",
    "RefractedAngle : Speeds must be positive and finite.",
    "Ring::Ring : Inner radius must be smaller than outer radius.",
    "SlopeConfiguraiton::SlopeConfiguration : Offset must be positive.",
    "SlopeConfiguration::SetHeight : Height must be positive.",
    "SlopeConfiguration::SetOffset : Offset must be positive.",
    "SlopeConfiguration::SetWidth : Width must be positive.",
    "SlopeConfiguration::SlopeConfiguration : Height must be positive.",
    "SlopeConfiguration::SlopeConfiguration : Width must be positive.",
    "SnapToFace : The point projects onto an edge of the solid.",
    "SnapToFace : The point projects onto no face of the solid.",
    "SpecimenFactory::CreateAxisAlignedCounterboredPlate : All sizes must be larger than 0.",
    "SpecimenFactory::CreateAxisAlignedCounterboredPlate : The sum of the offset and the width for one slope "
    "must be smaller of equal to half the size in y.",
    "SpecimenFactory::CreateXOrientedCounterboredPipe : If the height of a slope is null, its width should "
    "also be null.",
    "SpecimenFactory::CreateXOrientedCounterboredPipe : Radii and height must be larger than zero and outer "
    "radius must be larger than inner radius.",
    "SpecimenFactory::CreateXOrientedCounterboredPipe : The heights of the inner slopes must be smaller than "
    "the inner radius of the pipe.",
    "SpecimenFactory::CreateXOrientedCounterboredPipe : The heights of the two inner slopes and the heights "
    "of the two outer slopes must be the same.",
    "SpecimenFactory::CreateXOrientedCounterboredPipe : The sum of the offset and the width for one slope "
    "must be smaller or equal to half the circumference of the cylinder.",
    "SpecimenFactory::CreateYOrientedCounterboredPipe : Radii and height must be larger than zero and outer "
    "radius must be larger than inner radius.",
    "SpecimenFactory::CreateYOrientedCounterboredPipe : The heights of the inner slopes must be smaller than "
    "the inner radius of the pipe.",
    "SpecimenFactory::CreateYOrientedCounterboredPipe : The sum of the offset and the width for one slope "
    "must be smaller of equal to half the height of the cylinder.",
    "The type of operation on sets is not known.",
    "TraceBatch : A behaviour function or a law threw an exception that is not a std::exception.",
    "TraceBatch : Requested total ray length must be larger than 0.",
    "TraceBatch : The configuration must contain at least one solid.",
    "TraceBatch : The configuration must not contain a null solid.",
    "TraceBatch : The stop condition must be a leg count or a length.",
    "TraceBatch : The tracer must be one made by CreateRayTracer.",
    "TruncatedConicalSurface::GetNormal : Point is not contained in truncated conical surface.",
    "TruncatedConicalSurface::TruncatedConicalSurface : First angle was not defined.",
    "TruncatedConicalSurface::TruncatedConicalSurface : Last angle was not defined.",
    "TruncatedConicalSurface::TruncatedConicalSurface : Orientation and radial orientation are not "
    "orthogonal.",
    "TruncatedConicalSurface::TruncatedConicalSurface : Radial orientation is a null vector.",
    "TruncatedConicalSurface::TruncatedConicalSurface : Radial orientation was not defined.",
    "TruncatedConicalSurface::TruncatedConicalSurface : Radius base is smaller or equal to radius top.",
    "TruncatedConicalSurface::TruncatedConicalSurface : Radius top is smaller or equal to 0.",
    "UnionOnSets::UnionOnSets : Both surfaces must be in the same plane.",
    "UnionOnSets::UnionOnSets : The copy of an operand is not a flat surface.",
};

inline bool IsDocumentedMessage(const char* message)
{
    for (const char* documented : DocumentedMessages)
    {
        if (std::strcmp(message, documented) == 0)
        {
            return true;
        }
    }
    return false;
}

// The one documented message that begins with `start`; empty when none or
// several do.
inline std::string DocumentedMessageStartingWith(const std::string& start)
{
    std::string found;
    for (const char* documented : DocumentedMessages)
    {
        if (std::strncmp(documented, start.c_str(), start.size()) == 0)
        {
            if (!found.empty())
            {
                return std::string();
            }
            found = documented;
        }
    }
    return found;
}

} // namespace QuoriaTesting
