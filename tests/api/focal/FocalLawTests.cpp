#include "FocalTestSupport.h"
#include "SameBits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <utility>

using namespace FocalTests;
using QuoriaTesting::SameBits;
using Quoria::AcousticTracer;
using Quoria::ComputeFocalLaws;
using Quoria::FocalLawOptions;
using Quoria::FocalLaws;
using Quoria::FocalPathStatus;
using Quoria::WaveMode;

namespace
{

// The angle's sine between a unit normal and a direction.
double SineFromNormal(const Vector& direction, const Vector& normal)
{
    return direction.Cross(normal).Length() / direction.Length();
}

// Golden-section search for the least of a unimodal function on [low, high].
double GoldenMinimum(const std::function<double(double)>& f, double low, double high)
{
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double a = low;
    double b = high;
    for (int i = 0; i < 200; ++i)
    {
        const double left = b - ratio * (b - a);
        const double right = a + ratio * (b - a);
        if (f(left) < f(right))
        {
            b = right;
        }
        else
        {
            a = left;
        }
    }
    return f((a + b) / 2);
}

// The least travel time over a patch of cylinder, by a grid that zooms in on
// its best point: p = centre + a * axis + r * (cos(t) * u + sin(t) * w).
double GridMinimumTime(const Point& element, const Point& focal, const Point& centre, const Vector& axis,
                       const Vector& u, const Vector& w, double radius, double angleLow, double angleHigh,
                       double axialLow, double axialHigh)
{
    const auto time = [&](double angle, double axial)
    {
        return PathTime(element, centre + axial * axis + radius * (std::cos(angle) * u + std::sin(angle) * w),
                        focal);
    };
    const int cells = 40;
    double best = HUGE_VAL;
    double bestAngle = angleLow;
    double bestAxial = axialLow;
    for (int round = 0; round < 40; ++round)
    {
        for (int i = 0; i <= cells; ++i)
        {
            for (int j = 0; j <= cells; ++j)
            {
                const double angle = angleLow + (angleHigh - angleLow) * i / cells;
                const double axial = axialLow + (axialHigh - axialLow) * j / cells;
                const double t = time(angle, axial);
                if (t < best)
                {
                    best = t;
                    bestAngle = angle;
                    bestAxial = axial;
                }
            }
        }
        // Keep two cells on either side of the best point.
        const double angleCell = (angleHigh - angleLow) / cells;
        const double axialCell = (axialHigh - axialLow) / cells;
        angleLow = bestAngle - 2 * angleCell;
        angleHigh = bestAngle + 2 * angleCell;
        axialLow = bestAxial - 2 * axialCell;
        axialHigh = bestAxial + 2 * axialCell;
    }
    return best;
}

// A flat face through the points, turned so that its normal points along
// `outward`.
std::unique_ptr<Tessam::Geometry3D::ISurface> Face(std::vector<Point> points, const Vector& outward)
{
    const Vector normal = (points[2] - points[0]).Cross(points[1] - points[0]);
    if (normal.Dot(outward) < 0)
    {
        std::reverse(points.begin() + 1, points.end());
    }
    return std::make_unique<Tessam::Geometry3D::Polygon>(points);
}

// A step, 40 wide along y: a slab 20 thick under z = 0, and a block on it
// from x = 20 to 50 rising to z = -30. Its L-shaped section in xz, walked
// round, gives the faces.
SolidPtr Step()
{
    const std::vector<std::pair<double, double>> section = {{-50, 0},  {20, 0},  {20, -30},
                                                            {50, -30}, {50, 20}, {-50, 20}};
    std::vector<std::unique_ptr<Tessam::Geometry3D::ISurface>> faces;
    std::vector<Point> front;
    std::vector<Point> back;
    for (std::size_t i = 0; i < section.size(); ++i)
    {
        const auto [x0, z0] = section[i];
        const auto [x1, z1] = section[(i + 1) % section.size()];
        // Walked clockwise as seen from -y with +z down: the material lies to
        // the right, the outward normal to the left.
        const Vector outward = Vector(-(z1 - z0), 0, x1 - x0).Normalized() * -1.0;
        faces.push_back(
            Face({Point(x0, -20, z0), Point(x1, -20, z1), Point(x1, 20, z1), Point(x0, 20, z0)}, outward));
        front.push_back(Point(x0, -20, z0));
        back.push_back(Point(x0, 20, z0));
    }
    faces.push_back(Face(front, Vector(0, -1, 0)));
    faces.push_back(Face(back, Vector(0, 1, 0)));
    std::vector<Tessam::Geometry3D::ISurface*> borrowed;
    for (const auto& face : faces)
    {
        borrowed.push_back(face.get());
    }
    return SolidPtr(new Tessam::Geometry3D::CustomSolid(borrowed));
}

} // namespace

TEST(FocalLaws, FlatInterfaceCrossesWhereSnellHoldsAtTheLeastTime)
{
    // Off the plane of the wedge's slope, on a turned wedge: the crossing must
    // find the plane of incidence by itself.
    for (const double rotation : {0.0, 30 * Degree, -110 * Degree})
    {
        PlateProbe probe(36 * Degree, rotation);
        const Point element = probe.OnProbeFace(18, 4);
        const Point focal = Point() + Vector(25, -7, 15).RotateAroundZ(rotation);
        const FocalLaws laws = ComputeFocalLaws(probe.tracer, {element}, {focal});
        ASSERT_EQ(laws.statuses[0], FocalPathStatus::Valid);
        const Point crossing = CrossingOf(laws, 0);
        EXPECT_NEAR(crossing.Z(), 0.0, 1e-12);

        const Vector down(0, 0, 1);
        const Vector incident = crossing - element;
        const Vector refracted = focal - crossing;
        EXPECT_NEAR(SineFromNormal(incident, down) / 2330.0, SineFromNormal(refracted, down) / 3230.0,
                    1e-9 / 2330.0);
        // Both legs and the normal in one plane.
        EXPECT_NEAR(incident.Normalized().Cross(refracted.Normalized()).Dot(down) /
                        incident.Normalized().Cross(refracted.Normalized()).Length(),
                    0.0, 1e-9);
        EXPECT_NEAR(laws.refractionAngles[0], std::asin(SineFromNormal(refracted, down)), 1e-12);

        // The least time along the line between the two points' feet on the plate.
        const Point elementFoot(element.X(), element.Y(), 0);
        const Vector between = Point(focal.X(), focal.Y(), 0) - elementFoot;
        const double least = GoldenMinimum(
            [&](double s) { return PathTime(element, elementFoot + s * between, focal); }, 0, 1);
        EXPECT_NEAR(laws.times[0], least, 1e-9);
        EXPECT_EQ(laws.delays[0], 0.0);
        EXPECT_EQ(ExpectTracedThroughFocalPoints(probe.tracer, probe.ProbeFace(), {element}, {focal}, laws),
                  1u);
    }
}

TEST(FocalLaws, SymmetricArrayFocusedOnItsAxisHasSymmetricDelays)
{
    // A flat wedge 10 high: elements 1 apart on its top, centred at x = -20.
    PlateProbe probe(0, 0, 10);
    std::vector<Point> elements;
    for (int n = 0; n < 8; ++n)
    {
        elements.push_back(Point(-20 + (n - 3.5), 0, -10));
    }
    const Point onAxis(-20, 0, 20);
    const Point belowElement2(-21.5, 0, 20);
    const FocalLaws laws = ComputeFocalLaws(probe.tracer, elements, {onAxis, belowElement2});
    for (int n = 0; n < 8; ++n)
    {
        EXPECT_NEAR(laws.delays[n], laws.delays[7 - n], 1e-12);
        EXPECT_NEAR(laws.times[n], laws.times[7 - n], 1e-12);
    }
    // The outer elements are the farthest: they fire first, the middle last.
    EXPECT_NEAR(laws.delays[0], 0.0, 1e-12);
    for (int n = 1; n < 4; ++n)
    {
        EXPECT_GT(laws.delays[n], laws.delays[n - 1]);
    }

    // Straight below element 2 the path is straight, at normal incidence.
    const std::size_t straight = laws.PairIndex(1, 2);
    ExpectNear(CrossingOf(laws, straight), Point(-21.5, 0, 0), 1e-12);
    EXPECT_NEAR(laws.times[straight], Microseconds(10, 2330.0) + Microseconds(20, 3230.0), 1e-12);
    EXPECT_EQ(laws.refractionAngles[straight], 0.0);
    EXPECT_EQ(ExpectTracedThroughFocalPoints(probe.tracer, probe.ProbeFace(), elements,
                                             {onAxis, belowElement2}, laws),
              16u);
}

TEST(FocalLaws, CylindricalInterfaceTimesMatchABruteForceMinimum)
{
    // Wedges on the top of a pipe of radii 30 and 50 whose axis lies 50 under
    // the origin: one with its length along the axis, one round it.
    const Point axisPoint(0, 0, 50);
    const Vector up(0, 0, -1);
    for (const bool alongX : {true, false})
    {
        const SolidPtr pipe(alongX ? Quoria::CreateXOrientedPipe(axisPoint, 30, 50, 200)
                                   : Quoria::CreateYOrientedPipe(axisPoint, 30, 50, 200));
        const SolidPtr wedge(
            alongX ? Quoria::CreateWedgeOnXOrientedCylinder(Point(), 40, 20, 10, 30 * Degree, 0, axisPoint)
                   : Quoria::CreateWedgeOnYOrientedCylinder(Point(), 40, 20, 10, 30 * Degree, 0, axisPoint));
        AcousticTracer tracer({wedge.get(), pipe.get()}, {WedgeMaterial, Steel});
        const std::vector<Point> elements = Quoria::LinearArrayOnWedge(*wedge, 5, 7, 6);
        const Vector axis = alongX ? Vector(1, 0, 0) : Vector(0, 1, 0);
        // Angles about the axis from the top, right-handed.
        const Vector w = axis.Cross(up);
        std::vector<Point> focalPoints;
        for (const double angle : {-6 * Degree, 0.0, 9 * Degree})
        {
            for (const double along : {-12.0, 3.0})
            {
                const double depth = along > 0 ? 8 : 15;
                focalPoints.push_back(axisPoint + along * axis +
                                      (50 - depth) * (std::cos(angle) * up + std::sin(angle) * w));
            }
        }
        const FocalLaws laws = ComputeFocalLaws(tracer, elements, focalPoints);

        // The wedge's bottom: a band of the outer cylinder.
        const double halfChord = std::asin((alongX ? 10.0 : 20.0) / 50);
        const double angleLow = alongX ? -halfChord : 0.0;
        const double angleHigh = alongX ? halfChord : 2 * halfChord;
        const double axialLow = alongX ? -40 : -10;
        const double axialHigh = alongX ? 0 : 10;
        std::size_t valid = 0;
        for (std::size_t k = 0; k < focalPoints.size(); ++k)
        {
            for (std::size_t n = 0; n < elements.size(); ++n)
            {
                const std::size_t pair = laws.PairIndex(k, n);
                if (laws.statuses[pair] != FocalPathStatus::Valid)
                {
                    continue;
                }
                ++valid;
                const double least = GridMinimumTime(elements[n], focalPoints[k], axisPoint, axis, up, w, 50,
                                                     angleLow, angleHigh, axialLow, axialHigh);
                EXPECT_NEAR(laws.times[pair], least, 1e-9) << alongX << " pair " << k << ", " << n;
            }
        }
        EXPECT_GE(valid, 25u) << alongX;
        EXPECT_EQ(ExpectTracedThroughFocalPoints(tracer, *tracer.GetConfiguration()[0]->GetSurfaces()[0],
                                                 elements, focalPoints, laws),
                  valid);
    }
}

TEST(FocalLaws, AcrossSeveralSharedFacesTheQuickerPathIsKept)
{
    // A block sits on the step's slab and against its riser: it shares its
    // bottom and its +x face with the step. From the block's top, one focal
    // point is reached sooner through the riser's wall, the other through
    // the slab's top.
    const SolidPtr block(Quoria::CreateAxisAlignedPlate(Point(-15, 0, -15), 70, 40, 30));
    const SolidPtr step = Step();
    AcousticTracer tracer({block.get(), step.get()}, {WedgeMaterial, Steel});
    const Point element(-10, 0, -30);
    const std::vector<Point> focalPoints = {Point(35, 0, 8), Point(25, 0, 12)};
    const FocalLaws laws = ComputeFocalLaws(tracer, {element}, focalPoints);

    for (std::size_t k = 0; k < 2; ++k)
    {
        const Point& focal = focalPoints[k];
        const double throughWall =
            GoldenMinimum([&](double z) { return PathTime(element, Point(20, 0, z), focal); }, -30, 0);
        const double throughSlab =
            GoldenMinimum([&](double x) { return PathTime(element, Point(x, 0, 0), focal); }, -50, 20);
        ASSERT_EQ(laws.statuses[k], FocalPathStatus::Valid);
        EXPECT_NEAR(laws.times[k], std::min(throughWall, throughSlab), 1e-9);
        const Point crossing = CrossingOf(laws, k);
        if (k == 0)
        {
            EXPECT_LT(throughWall, throughSlab);
            EXPECT_EQ(crossing.X(), 20.0);
        }
        else
        {
            EXPECT_LT(throughSlab, throughWall);
            EXPECT_EQ(crossing.Z(), 0.0);
        }
    }
    const std::vector<const Tessam::Geometry3D::ISurface*>& blockFaces =
        tracer.GetConfiguration()[0]->GetSurfaces();
    const auto top =
        std::find_if(blockFaces.begin(), blockFaces.end(),
                     [&](const Tessam::Geometry3D::ISurface* face) { return face->Contains(element); });
    EXPECT_EQ(ExpectTracedThroughFocalPoints(tracer, **top, {element}, focalPoints, laws), 2u);
}

TEST(FocalLaws, PairsWithoutAPathAreMarkedWithTheReason)
{
    // A wedge of 10 degrees: an element near the tall end reaching for a
    // shallow point far ahead would cross the plate beyond the wedge's end.
    PlateProbe probe(10 * Degree);
    const std::vector<Point> elements = {probe.OnProbeFace(5, 0), probe.OnProbeFace(36, 0)};
    const Point shallow(60, 0, 2);
    const Point onPlateTop(60, 0, 0);
    const FocalLaws laws = ComputeFocalLaws(probe.tracer, elements, {shallow, onPlateTop});
    EXPECT_EQ(laws.statuses[0], FocalPathStatus::Valid);
    EXPECT_EQ(laws.statuses[1], FocalPathStatus::OffInterface);
    EXPECT_GT(CrossingOf(laws, 1).X(), 0.0);
    EXPECT_NEAR(CrossingOf(laws, 1).Z(), 0.0, 1e-12);
    EXPECT_TRUE(std::isnan(laws.times[1]));
    EXPECT_TRUE(std::isnan(laws.delays[1]));
    EXPECT_TRUE(std::isnan(laws.refractionAngles[1]));
    // The one valid element fires at once.
    EXPECT_EQ(laws.delays[0], 0.0);
    // A focal point on the plate's top face has no refracted path to it.
    EXPECT_EQ(laws.statuses[2], FocalPathStatus::NoStationaryPath);
    EXPECT_EQ(laws.statuses[3], FocalPathStatus::NoStationaryPath);
    EXPECT_TRUE(std::isnan(CrossingOf(laws, 2).X()));
    EXPECT_TRUE(std::isnan(laws.times[3]));

    // An aperture of one element: the other is left out, and the delays are
    // taken among the aperture's own.
    FocalLawOptions options;
    options.apertureStarts = {1, 0};
    options.apertureSize = 1;
    const FocalLaws apertures =
        ComputeFocalLaws(probe.tracer, elements, {shallow, Point(-20, 0, 10)}, options);
    const std::vector<FocalPathStatus> statuses = {FocalPathStatus::OutsideAperture,
                                                   FocalPathStatus::OffInterface, FocalPathStatus::Valid,
                                                   FocalPathStatus::OutsideAperture};
    EXPECT_EQ(apertures.statuses, statuses);
    EXPECT_EQ(apertures.delays[2], 0.0);
    EXPECT_TRUE(std::isnan(apertures.delays[3]));
    EXPECT_TRUE(std::isnan(CrossingOf(apertures, 3).X()));

    // Across a pipe's bore the leg to the focal point is blocked.
    const Point axisPoint(0, 0, 50);
    const SolidPtr pipe(Quoria::CreateYOrientedPipe(axisPoint, 30, 50, 200));
    const SolidPtr wedge(
        Quoria::CreateWedgeOnYOrientedCylinder(Point(), 40, 20, 10, 30 * Degree, 0, axisPoint));
    AcousticTracer tracer({wedge.get(), pipe.get()}, {WedgeMaterial, Steel});
    const FocalLaws blocked = ComputeFocalLaws(tracer, Quoria::LinearArrayOnWedge(*wedge, 1, 1, 20),
                                               {Point(0, 0, 95), Point(20, 0, 95)});
    EXPECT_EQ(blocked.statuses[0], FocalPathStatus::BlockedAfterInterface);
    EXPECT_EQ(blocked.statuses[1], FocalPathStatus::BlockedAfterInterface);
    EXPECT_FALSE(std::isnan(CrossingOf(blocked, 0).X()));

    EXPECT_STREQ(Quoria::FocalPathStatusName(FocalPathStatus::OffInterface), "off-interface");
    EXPECT_STREQ(Quoria::FocalPathStatusName(static_cast<FocalPathStatus>(17)), "unknown");
}

TEST(ConcurrencyOfFocalLaws, ResultsAreTheSameBitForBitOnAnyThreadCount)
{
    const Point axisPoint(0, 0, 50);
    const SolidPtr pipe(Quoria::CreateYOrientedPipe(axisPoint, 30, 50, 200));
    const SolidPtr wedge(
        Quoria::CreateWedgeOnYOrientedCylinder(Point(), 40, 20, 10, 30 * Degree, 0, axisPoint));
    AcousticTracer tracer({wedge.get(), pipe.get()}, {WedgeMaterial, Steel});
    const std::vector<Point> elements = Quoria::LinearArrayOnWedge(*wedge, 16, 2, 3);
    const Quoria::ScanFocalPoints scan = Quoria::SectorialScanFocalPoints(
        tracer, elements, 35 * Degree, 70 * Degree, 1 * Degree, Quoria::FocalDistance::SoundPath, 12);
    FocalLawOptions options;
    options.threadCount = 1;
    const FocalLaws one = ComputeFocalLaws(tracer, elements, scan.points, options);
    for (const unsigned int threads : {2u, 3u, 0u})
    {
        options.threadCount = threads;
        const FocalLaws many = ComputeFocalLaws(tracer, elements, scan.points, options);
        EXPECT_TRUE(SameBits(one.times, many.times)) << threads;
        EXPECT_TRUE(SameBits(one.delays, many.delays)) << threads;
        EXPECT_TRUE(SameBits(one.crossings, many.crossings)) << threads;
        EXPECT_TRUE(SameBits(one.refractionAngles, many.refractionAngles)) << threads;
        EXPECT_EQ(one.statuses, many.statuses) << threads;
    }
}

TEST(FocalLaws, RefusesBadInputInOrder)
{
    PlateProbe probe(36 * Degree);
    const Point element = probe.OnProbeFace(18, 0);
    const Point focal(0, 0, 10);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto refusal = [&](const std::vector<Point>& elements, const std::vector<Point>& focalPoints,
                             const FocalLawOptions& options = {})
    { return MessageOf([&] { ComputeFocalLaws(probe.tracer, elements, focalPoints, options); }); };
    FocalLawOptions badMode;
    badMode.elementMode = static_cast<WaveMode>(3);

    EXPECT_EQ(refusal({}, {}), "ComputeFocalLaws : There must be at least one element.");
    EXPECT_EQ(refusal({element}, {}), "ComputeFocalLaws : There must be at least one focal point.");
    EXPECT_EQ(refusal({Point(nan, 0, 0)}, {focal}, badMode),
              "ComputeFocalLaws : Every wave mode must be L or T.");
    EXPECT_EQ(refusal({element, Point(nan, 0, 0)}, {Point(0, HUGE_VAL, 0)}),
              "ComputeFocalLaws : Element 1 has a coordinate that is not finite.");
    EXPECT_EQ(refusal({element}, {focal, Point(0, 0, -HUGE_VAL)}),
              "ComputeFocalLaws : Focal point 1 has a coordinate that is not finite.");
    const std::string apertures =
        "ComputeFocalLaws : There must be one aperture start per focal point, and each "
        "aperture must lie within the elements.";
    FocalLawOptions options;
    options.apertureSize = 1;
    EXPECT_EQ(refusal({element}, {focal}, options), apertures);
    options.apertureStarts = {1};
    EXPECT_EQ(refusal({element}, {focal}, options), apertures);
    options.apertureStarts = {0, 0};
    EXPECT_EQ(refusal({element}, {focal}, options), apertures);

    EXPECT_EQ(refusal({Point(0, 0, -100)}, {focal}), "ComputeFocalLaws : Element 0 is outside every solid.");
    EXPECT_EQ(refusal({element, Point(0, 0, 20), Point(0, 0, -100)}, {focal}),
              "ComputeFocalLaws : Element 1 is not in the solid of element 0.");
    EXPECT_EQ(refusal({element, Point(0, 0, -100)}, {focal}),
              "ComputeFocalLaws : Element 1 is outside every solid.");
    // Inside the wedge, and on the face it shares with the plate.
    EXPECT_EQ(refusal({element}, {focal, Point(-20, 0, -5)}),
              "ComputeFocalLaws : Focal point 1 is in the elements' solid.");
    EXPECT_EQ(refusal({element}, {Point(-20, 3, 0)}),
              "ComputeFocalLaws : Focal point 0 is in the elements' solid.");
    EXPECT_EQ(refusal({element}, {focal, Point(0, 0, 51)}),
              "ComputeFocalLaws : Focal point 1 is outside every solid.");

    // Water under the wedge carries no shear wave; a plate apart shares no face.
    const SolidPtr water(Quoria::CreateAxisAlignedPlate(Point(0, 0, 12.5), 300, 300, 25));
    const SolidPtr apart(Quoria::CreateAxisAlignedPlate(Point(0, 0, 40), 300, 300, 20));
    AcousticTracer immersed({probe.wedge.get(), water.get(), apart.get()}, {WedgeMaterial, Water, Steel});
    EXPECT_EQ(MessageOf([&] { ComputeFocalLaws(immersed, {element}, {focal}); }),
              "ComputeFocalLaws : \"water\", the material of focal point 0, carries no T wave.");
    FocalLawOptions longitudinal;
    longitudinal.focalMode = WaveMode::L;
    EXPECT_EQ(MessageOf(
                  [&] {
                      ComputeFocalLaws(immersed, {element}, {focal, Point(0, 0, 40)}, longitudinal);
                  }),
              "ComputeFocalLaws : The solid of focal point 1 shares no face with the elements' solid.");
    // A cone standing in a cylinder that it fills up to its tip: the two
    // solids meet on the cone alone.
    const Point apex(0, 0, -20);
    const Vector down(0, 0, 1);
    Tessam::Geometry3D::ConicalSurface coneOut(apex, 10, 20, down, true);
    Tessam::Geometry3D::ConicalSurface coneIn(apex, 10, 20, down, false);
    Tessam::Geometry3D::Disk base(Point(0, 0, 0), 10, down);
    Tessam::Geometry3D::CylindricalSurface mantle(Point(0, 0, -10), 10, 20, down, true);
    Tessam::Geometry3D::Disk lid(apex, 10, down * -1.0);
    const SolidPtr cone(new Tessam::Geometry3D::CustomSolid({&coneOut, &base}));
    const SolidPtr sleeve(new Tessam::Geometry3D::CustomSolid({&coneIn, &mantle, &lid}));
    AcousticTracer conical({cone.get(), sleeve.get()}, {WedgeMaterial, Steel});
    EXPECT_EQ(
        MessageOf([&] { ComputeFocalLaws(conical, {Point(2, 0, 0)}, {Point(8, 0, -15)}); }),
        "ComputeFocalLaws : The solid of focal point 0 meets the elements' solid only on a face that is "
        "neither flat nor cylindrical.");

    FocalLawOptions shearFromWater;
    shearFromWater.elementMode = WaveMode::T;
    AcousticTracer tank({water.get(), apart.get()}, {Water, Steel});
    EXPECT_EQ(MessageOf([&] { ComputeFocalLaws(tank, {Point(0, 0, 0)}, {Point(0, 0, 40)}, shearFromWater); }),
              "ComputeFocalLaws : \"water\", the material of the elements, carries no T wave.");
}
