// Builds a plate, sends a beam into its top face and prints the legs the
// beam travels before it has bounced three times.
#include "Quoria.h"

#include <cstddef>
#include <cstdio>
#include <exception>
#include <memory>
#include <vector>

using Tessam::Geometry3D::Angle;
using Tessam::Geometry3D::LineSegment;
using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::Solid;

namespace
{

void PrintPoint(const Point& point)
{
    std::printf("(%.6f, %.6f, %.6f)", point.X(), point.Y(), point.Z());
}

} // namespace

int main()
{
    try
    {
        // 100 x 100 x 20 around the origin: the top face is z = -10; the
        // third axis, and so the depth, points down along +Z.
        const std::unique_ptr<const Solid> plate(
            Quoria::CreateAxisAlignedPlate(Point(0.0, 0.0, 0.0), 100.0, 100.0, 20.0));
        // The tracer keeps its own copy of the plate.
        const std::unique_ptr<Quoria::IRayTracer> tracer(Quoria::CreateRayTracer(plate.get()));

        const Point entryPoint(0.0, 0.0, -10.0);
        const Quoria::BeamAngles angles{0.0, Angle::FromDegrees(30.0).Radians()};
        // No behaviours: the beam reflects at every face it meets.
        const std::vector<LineSegment> legs = tracer->CalculateLegsFromEntryPoint(
            entryPoint, angles, 3u, std::vector<Quoria::BehaviorAtInterface>{}, {});

        std::printf("Plate 100 x 100 x 20, beam entering at (0, 0, -10), refraction 30 degrees, skew 0\n");
        for (std::size_t i = 0; i < legs.size(); ++i)
        {
            std::printf("leg %zu: ", i + 1);
            PrintPoint(legs[i].GetFirstPoint());
            std::printf(" -> ");
            PrintPoint(legs[i].GetSecondPoint());
            std::printf(" length %.6f\n", legs[i].Length());
        }
        return 0;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "quoria-consumer: %s\n", error.what());
        return 1;
    }
}
