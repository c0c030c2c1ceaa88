#include "DiskRim.h"

#include "Disk.h"
#include "IContour.h"

#include <memory>

namespace Tessam
{
namespace Geometry3D
{

ArcSegment DiskRim(const Point& center, double radius, const Vector& normal)
{
    const std::unique_ptr<const IContour> contour(Disk(center, radius, normal).GetContour());
    return *dynamic_cast<const ArcSegment*>(contour->GetSegments().front());
}

} // namespace Geometry3D
} // namespace Tessam
