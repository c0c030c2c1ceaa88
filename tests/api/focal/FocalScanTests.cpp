#include "FocalTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace FocalTests;
using Quoria::AcousticTracer;
using Quoria::FocalDistance;
using Quoria::FocalLaws;
using Quoria::FocalPathStatus;
using Quoria::ProbeExit;
using Quoria::ScanFocalPoints;

namespace
{

const double WedgeAngle = 36 * Degree;

} // namespace

TEST(FocalScans, LinearArrayRunsUpTheProbeFaceCentreLine)
{
    const PlateProbe turned(WedgeAngle, 90 * Degree);
    const std::vector<Point> elements = Quoria::LinearArrayOnWedge(*turned.wedge, 4, 10, 5);
    ASSERT_EQ(elements.size(), 4u);
    for (std::size_t i = 0; i < elements.size(); ++i)
    {
        ExpectNear(elements[i], turned.OnProbeFace(5 + 10.0 * i), 1e-12);
    }
    // An array a hair shorter than the slope fits; a hair longer does not.
    const double slope = 40 / std::cos(WedgeAngle);
    EXPECT_EQ(Quoria::LinearArrayOnWedge(*turned.wedge, 2, slope - 1, 1 - 1e-9).size(), 2u);

    // Round a pipe the elements lie on the probe face alone, where a beam
    // may enter.
    const Point axisPoint(0, 0, 50);
    const SolidPtr wedge(
        Quoria::CreateWedgeOnYOrientedCylinder(Point(), 40, 20, 10, 20 * Degree, 0, axisPoint));
    for (const Point& element : Quoria::LinearArrayOnWedge(*wedge, 6, 5, 4))
    {
        const std::vector<const Tessam::Geometry3D::ISurface*>& faces = wedge->GetSurfaces();
        EXPECT_TRUE(faces[0]->Contains(element));
        EXPECT_EQ(std::count_if(faces.begin(), faces.end(),
                                [&](const Tessam::Geometry3D::ISurface* face)
                                { return face->Contains(element); }),
                  1);
    }

    const auto refusal = [&](const Solid& solid, std::size_t count, double pitch, double offset)
    { return MessageOf([&] { Quoria::LinearArrayOnWedge(solid, count, pitch, offset); }); };
    const SolidPtr bar(Quoria::CreateXOrientedBar(Point(), 10, 50));
    EXPECT_EQ(refusal(*bar, 0, 0, -1),
              "LinearArrayOnWedge : The solid's first face must be the four-sided probe face of a wedge.");
    EXPECT_EQ(refusal(*turned.wedge, 0, 0, -1), "LinearArrayOnWedge : There must be at least one element.");
    EXPECT_EQ(refusal(*turned.wedge, 1, 0, -1),
              "LinearArrayOnWedge : The pitch must be positive and finite.");
    EXPECT_EQ(refusal(*turned.wedge, 1, HUGE_VAL, -1),
              "LinearArrayOnWedge : The pitch must be positive and finite.");
    EXPECT_EQ(refusal(*turned.wedge, 1, 1, -1e-300),
              "LinearArrayOnWedge : The offset of the first element must be positive or zero, and finite.");
    EXPECT_EQ(refusal(*turned.wedge, 2, slope - 1, 1 + 1e-9),
              "LinearArrayOnWedge : The array runs past the tall end of the probe face.");
}

TEST(FocalScans, ProbeExitIsWhereTheCentralBeamLeavesTheWedge)
{
    // Three elements centred 15 up the slope: the central beam leans along
    // the wedge's length, towards its tall end.
    for (const double rotation : {0.0, 90 * Degree})
    {
        const PlateProbe probe(WedgeAngle, rotation);
        const ProbeExit exit = Quoria::FindProbeExit(
            probe.tracer, {probe.OnProbeFace(5), probe.OnProbeFace(15), probe.OnProbeFace(25)});
        ExpectNear(exit.point, probe.ExitBelow(15), 1e-12);
        ExpectNear(Point() + exit.normal, Point(0, 0, 1), 1e-12);
        ExpectNear(Point() + exit.forward, Point() + probe.Turned(Vector(1, 0, 0)), 1e-12);
        EXPECT_EQ(exit.solid, 1u);
    }

    // A flat wedge leans nowhere: the array's own direction, then x, decide.
    const SolidPtr flat(Quoria::CreateWedgeOnAxisAlignedPlate(Point(), 40, 20, 8, 0, 0, 90 * Degree));
    const SolidPtr plate(Quoria::CreateAxisAlignedPlate(Point(0, 0, 12.5), 300, 300, 25));
    AcousticTracer tracer({flat.get(), plate.get()}, {WedgeMaterial, Steel});
    const ProbeExit alongArray = Quoria::FindProbeExit(tracer, {Point(0, -30, -8), Point(0, -10, -8)});
    ExpectNear(alongArray.point, Point(0, -20, 0), 1e-12);
    ExpectNear(Point() + alongArray.forward, Point(0, 1, 0), 1e-12);
    ExpectNear(Point() + Quoria::FindProbeExit(tracer, {Point(0, -30, -8)}).forward, Point(1, 0, 0), 1e-12);

    // On a pipe the exit's normal points to the axis.
    const Point axisPoint(0, 0, 50);
    const SolidPtr pipe(Quoria::CreateXOrientedPipe(axisPoint, 30, 50, 200));
    const Point origin(0, 50 * std::sin(20 * Degree), 50 - 50 * std::cos(20 * Degree));
    const SolidPtr wedge(
        Quoria::CreateWedgeOnXOrientedCylinder(origin, 40, 20, 10, 30 * Degree, 0, axisPoint));
    AcousticTracer onPipe({wedge.get(), pipe.get()}, {WedgeMaterial, Steel});
    const ProbeExit round = Quoria::FindProbeExit(onPipe, Quoria::LinearArrayOnWedge(*wedge, 4, 5, 8));
    EXPECT_NEAR(Vector(0, round.point.Y(), round.point.Z() - 50).Length(), 50, 1e-12);
    ExpectNear(Point() + round.normal, Point(0, -round.point.Y() / 50, (50 - round.point.Z()) / 50), 1e-12);
    EXPECT_GT(round.forward.X(), 0.9);

    PlateProbe probe(WedgeAngle);
    EXPECT_EQ(MessageOf([&] { Quoria::FindProbeExit(probe.tracer, {Point(-20, 0, -4)}); }),
              "FindProbeExit : The first element is not on a face of its solid.");
    AcousticTracer alone({probe.wedge.get()}, {WedgeMaterial});
    EXPECT_EQ(
        MessageOf([&] { Quoria::FindProbeExit(alone, {probe.OnProbeFace(10)}); }),
        "FindProbeExit : The central beam of the elements leaves their solid through a face no other solid "
        "shares.");
    EXPECT_EQ(MessageOf([&] { Quoria::FindProbeExit(probe.tracer, {}); }),
              "FindProbeExit : There must be at least one element.");
}

TEST(FocalScans, SectorialScanFocusesFromTheExitAtEachAngle)
{
    PlateProbe probe(WedgeAngle);
    const std::vector<Point> elements = Quoria::LinearArrayOnWedge(*probe.wedge, 5, 4, 7);
    const Point exit = probe.ExitBelow(15);
    const ScanFocalPoints deep = Quoria::SectorialScanFocalPoints(
        probe.tracer, elements, 30 * Degree, 75 * Degree, 0.25 * Degree, FocalDistance::Depth, 20);
    ASSERT_EQ(deep.points.size(), 181u);
    ASSERT_EQ(deep.angles.size(), 181u);
    EXPECT_TRUE(deep.apertureStarts.empty());
    EXPECT_EQ(deep.apertureSize, 0u);
    EXPECT_NEAR(deep.angles.back(), 75 * Degree, 1e-12);
    for (std::size_t i = 0; i < deep.points.size(); i += 36)
    {
        EXPECT_EQ(deep.angles[i], 30 * Degree + static_cast<double>(i) * (0.25 * Degree));
        ExpectNear(deep.points[i], exit + Vector(20 * std::tan(deep.angles[i]), 0, 20), 1e-12);
    }

    // At the wedge's nominal refraction the central element's path is the
    // central beam itself: it leaves at the exit point, refracted by Snell.
    const double nominal = std::asin(3230.0 / 2330.0 * std::sin(WedgeAngle));
    const ScanFocalPoints along = Quoria::SectorialScanFocalPoints(probe.tracer, elements, nominal, nominal,
                                                                   1, FocalDistance::SoundPath, 30);
    ASSERT_EQ(along.points.size(), 1u);
    ExpectNear(along.points[0], exit + 30 * Vector(std::sin(nominal), 0, std::cos(nominal)), 1e-12);
    const FocalLaws laws = Quoria::ComputeFocalLaws(probe.tracer, elements, along.points);
    ExpectNear(CrossingOf(laws, 2), exit, 1e-9);
    EXPECT_NEAR(laws.refractionAngles[2], nominal, 1e-12);

    const auto refusal = [&](double first, double last, double step, FocalDistance kind, double distance)
    {
        return MessageOf(
            [&] { Quoria::SectorialScanFocalPoints(probe.tracer, {}, first, last, step, kind, distance); });
    };
    const std::string angles =
        "SectorialScanFocalPoints : The angles must be contained within ]-90\xB0, 90\xB0[.";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(refusal(-HalfPi, 0, 0, FocalDistance::Depth, 0), angles);
    EXPECT_EQ(refusal(0, HalfPi, 0, FocalDistance::Depth, 0), angles);
    EXPECT_EQ(refusal(nan, 0, 0, FocalDistance::Depth, 0), angles);
    EXPECT_EQ(refusal(0, 1, 0, FocalDistance::Depth, 0),
              "SectorialScanFocalPoints : The angle step must be positive and finite.");
    EXPECT_EQ(refusal(1, 0, 1, FocalDistance::Depth, 0),
              "SectorialScanFocalPoints : The last angle must not be below the first.");
    EXPECT_EQ(refusal(0, 1, 1e-7, FocalDistance::Depth, 0),
              "SectorialScanFocalPoints : The scan must not have more than a million focal points.");
    EXPECT_EQ(refusal(0, 1, 0.1, static_cast<FocalDistance>(2), 0),
              "SectorialScanFocalPoints : The focal distance must be a depth or a sound path.");
    EXPECT_EQ(refusal(0, 1, 0.1, FocalDistance::SoundPath, nan),
              "SectorialScanFocalPoints : The focal distance must be positive and finite.");
    EXPECT_EQ(refusal(0, 1, 0.1, FocalDistance::SoundPath, 1),
              "SectorialScanFocalPoints : There must be at least one element.");
}

TEST(FocalScans, SectorialLawsTraceThroughEveryFocalPoint)
{
    // A turned probe: no coordinate is special any more.
    PlateProbe probe(WedgeAngle, 25 * Degree);
    const std::vector<Point> elements = Quoria::LinearArrayOnWedge(*probe.wedge, 16, 2.5, 4);
    const ScanFocalPoints scan = Quoria::SectorialScanFocalPoints(
        probe.tracer, elements, 30 * Degree, 75 * Degree, 5 * Degree, FocalDistance::SoundPath, 40);
    const FocalLaws laws = Quoria::ComputeFocalLaws(probe.tracer, elements, scan.points);
    EXPECT_EQ(laws.focalPointCount, 10u);
    EXPECT_EQ(laws.elementCount, 16u);
    // The elements high on this short wedge's slope would cross beyond its
    // tall end, the more of them the steeper the angle: in every row the
    // valid elements are those from the low end up to some element.
    std::size_t valid = 0;
    std::size_t previousRow = laws.elementCount;
    for (std::size_t k = 0; k < laws.focalPointCount; ++k)
    {
        std::size_t row = 0;
        double smallest = HUGE_VAL;
        for (std::size_t n = 0; n < laws.elementCount; ++n)
        {
            const std::size_t pair = laws.PairIndex(k, n);
            if (laws.statuses[pair] == FocalPathStatus::Valid)
            {
                EXPECT_EQ(row, n) << k;
                ++row;
                smallest = std::min(smallest, laws.delays[pair]);
                EXPECT_GE(laws.delays[pair], 0.0);
            }
            else
            {
                EXPECT_EQ(laws.statuses[pair], FocalPathStatus::OffInterface);
                // Beyond the tall end, in the wedge's own frame.
                EXPECT_GT((CrossingOf(laws, pair) - Point()).RotateAroundZ(-probe.rotation).X(), 0.0);
            }
        }
        EXPECT_EQ(smallest, 0.0);
        EXPECT_LE(row, previousRow);
        EXPECT_GE(row, 8u);
        previousRow = row;
        valid += row;
    }
    EXPECT_EQ(ExpectTracedThroughFocalPoints(probe.tracer, probe.ProbeFace(), elements, scan.points, laws),
              valid);
}

TEST(FocalScans, LinearScanSlidesItsApertureAlongTheArray)
{
    PlateProbe probe(WedgeAngle);
    const std::vector<Point> elements = Quoria::LinearArrayOnWedge(*probe.wedge, 8, 3, 6);
    const double nominal = std::asin(3230.0 / 2330.0 * std::sin(WedgeAngle));
    const ScanFocalPoints scan =
        Quoria::LinearScanFocalPoints(probe.tracer, elements, 3, nominal, FocalDistance::Depth, 15);
    ASSERT_EQ(scan.points.size(), 6u);
    EXPECT_EQ(scan.apertureStarts, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(scan.apertureSize, 3u);
    Quoria::FocalLawOptions options;
    options.apertureStarts = scan.apertureStarts;
    options.apertureSize = scan.apertureSize;
    const FocalLaws laws = Quoria::ComputeFocalLaws(probe.tracer, elements, scan.points, options);
    for (std::size_t j = 0; j < scan.points.size(); ++j)
    {
        // Each aperture's middle element lies 3 further up the slope and
        // its path is its own central beam.
        const Point exit = probe.ExitBelow(6 + 3.0 * (j + 1));
        EXPECT_EQ(scan.angles[j], nominal);
        ExpectNear(scan.points[j], exit + Vector(15 * std::tan(nominal), 0, 15), 1e-12);
        ExpectNear(CrossingOf(laws, laws.PairIndex(j, j + 1)), exit, 1e-9);
        for (std::size_t n = 0; n < elements.size(); ++n)
        {
            const bool inAperture = n >= j && n < j + 3;
            EXPECT_EQ(laws.statuses[laws.PairIndex(j, n)] == FocalPathStatus::Valid, inAperture);
        }
    }
    EXPECT_EQ(ExpectTracedThroughFocalPoints(probe.tracer, probe.ProbeFace(), elements, scan.points, laws),
              18u);

    const auto refusal = [&](std::size_t aperture, double angle, double distance)
    {
        return MessageOf(
            [&] {
                Quoria::LinearScanFocalPoints(probe.tracer, elements, aperture, angle, FocalDistance::Depth,
                                              distance);
            });
    };
    const std::string aperture =
        "LinearScanFocalPoints : The aperture must hold at least one element and no more than the array.";
    EXPECT_EQ(refusal(0, HalfPi, 0), aperture);
    EXPECT_EQ(refusal(9, HalfPi, 0), aperture);
    EXPECT_EQ(refusal(8, HalfPi, 0),
              "LinearScanFocalPoints : The angles must be contained within ]-90\xB0, 90\xB0[.");
    EXPECT_EQ(refusal(8, 0, -1), "LinearScanFocalPoints : The focal distance must be positive and finite.");
    EXPECT_EQ(
        Quoria::LinearScanFocalPoints(probe.tracer, elements, 8, 0, FocalDistance::Depth, 1).points.size(),
        1u);
}
