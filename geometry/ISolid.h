#pragma once

#include "QuoriaExport.h"

#include <vector>

namespace Tessam
{
namespace Geometry3D
{

class IContour;
class ISurface;
class FlatSurface;
class ComplexFlatSurface;
class Ring;
class PrimitiveFlatSurface;
class Disk;
class DiskSector;
class Polygon;
class Rectangle;
class CylindricalSurface;
class CylindricalArcSurface;
class ConicalSurface;
class TruncatedConicalSurface;
class Torus;
class TruncatedTorus;

// A closed volume known through the surfaces that bound it. The order of the
// operations is the order of the virtual table. Pointers handed out stay
// valid while the solid lives.
class QUORIA_API ISolid
{
public:
    virtual const std::vector<const ISurface*>& GetSurfaces() const = 0;
    virtual std::vector<const FlatSurface*> GetFlatSurfaces() const = 0;
    virtual std::vector<const ComplexFlatSurface*> GetComplexFlatSurfaces() const = 0;
    virtual std::vector<const Ring*> GetRings() const = 0;
    virtual std::vector<const PrimitiveFlatSurface*> GetPrimitiveFlatSurfaces() const = 0;
    virtual std::vector<const Disk*> GetDisks() const = 0;
    virtual std::vector<const DiskSector*> GetDiskSectors() const = 0;
    virtual std::vector<const Polygon*> GetPolygons() const = 0;
    virtual std::vector<const Rectangle*> GetRectangles() const = 0;
    virtual std::vector<const CylindricalSurface*> GetCylindricalSurfaces() const = 0;
    virtual std::vector<const CylindricalArcSurface*> GetCylindricalArcSurfaces() const = 0;
    virtual std::vector<const ConicalSurface*> GetConicalSurfaces() const = 0;
    virtual std::vector<const TruncatedConicalSurface*> GetTruncatedConicalSurfaces() const = 0;
    virtual std::vector<const Torus*> GetTori() const = 0;
    virtual std::vector<const TruncatedTorus*> GetTruncatedTori() const = 0;
    // Every edge of every surface, unoriented; the caller owns it.
    virtual IContour* GetContour() const = 0;
    // A deep copy of the same concrete class; the caller owns it.
    virtual ISolid* Clone() const = 0;
    virtual bool operator==(const ISolid& other) const = 0;
    virtual bool operator!=(const ISolid& other) const = 0;
    virtual ~ISolid();
};

} // namespace Geometry3D
} // namespace Tessam
