#include "SlopeConfiguration.h"

#include "Rejection.h"

#include <cmath>

namespace Quoria
{

namespace
{
// NaN is not below zero and therefore passes.
void RejectNegative(double value, const char* message)
{
    Tessam::Geometry3D::RejectIf(value < 0.0, message);
}
} // namespace

SlopeConfiguration::SlopeConfiguration(double height, double width, double offset)
    : height(height), width(width), offset(offset)
{
    RejectNegative(height, "SlopeConfiguration::SlopeConfiguration : Height must be positive.");
    RejectNegative(width, "SlopeConfiguration::SlopeConfiguration : Width must be positive.");
    RejectNegative(offset, "SlopeConfiguraiton::SlopeConfiguration : Offset must be positive.");
}

double SlopeConfiguration::GetHeight() const
{
    return height;
}

void SlopeConfiguration::SetHeight(double height)
{
    RejectNegative(height, "SlopeConfiguration::SetHeight : Height must be positive.");
    this->height = height;
}

double SlopeConfiguration::GetWidth() const
{
    return width;
}

void SlopeConfiguration::SetWidth(double width)
{
    RejectNegative(width, "SlopeConfiguration::SetWidth : Width must be positive.");
    this->width = width;
}

double SlopeConfiguration::GetOffset() const
{
    return offset;
}

void SlopeConfiguration::SetOffset(double offset)
{
    RejectNegative(offset, "SlopeConfiguration::SetOffset : Offset must be positive.");
    this->offset = offset;
}

Tessam::Geometry3D::Angle SlopeConfiguration::GetAngle() const
{
    return Tessam::Geometry3D::Angle::FromRadians(std::atan(height / width));
}

} // namespace Quoria
