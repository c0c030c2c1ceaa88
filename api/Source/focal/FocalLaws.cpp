#include "FocalLaws.h"

#include "AcousticRules.h"
#include "AcousticTracerState.h"
#include "BatchEngine.h"
#include "FermatCrossing.h"
#include "FocalSetup.h"
#include "SharedFaces.h"
#include "SolidMembership.h"

#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>

using Tessam::Geometry3D::Point;

namespace Quoria
{

namespace
{

const char* const Method = "ComputeFocalLaws";
const double NaN = std::numeric_limits<double>::quiet_NaN();

std::invalid_argument Refusal(const std::string& sentence)
{
    return std::invalid_argument(std::string(Method) + " : " + sentence);
}

std::string FocalPointName(std::size_t index)
{
    return "focal point " + std::to_string(index);
}

const char* ModeName(WaveMode mode)
{
    return mode == WaveMode::L ? "L" : "T";
}

// Everything the paths into one focal solid need, built when the first
// focal point in that solid is met.
struct FocalSolid
{
    double speed = 0.0;
    SharedFaces shared;
    // One per shared face, referring to `shared`, which no longer changes.
    std::vector<FermatCrossing> crossings;
};

void CheckApertures(const FocalLawOptions& options, std::size_t focalPointCount, std::size_t elementCount)
{
    const std::vector<std::size_t>& starts = options.apertureStarts;
    bool valid = starts.empty() ? options.apertureSize == 0
                                : starts.size() == focalPointCount && options.apertureSize >= 1 &&
                                      options.apertureSize <= elementCount;
    for (std::size_t i = 0; valid && i < starts.size(); ++i)
    {
        valid = starts[i] <= elementCount - options.apertureSize;
    }
    if (!valid)
    {
        throw Refusal("There must be one aperture start per focal point, and each aperture must lie within "
                      "the elements.");
    }
}

// A valid path beats any other; among the rest the quicker one wins.
bool IsBetter(const FermatPath& candidate, const FermatPath& best)
{
    const bool candidateValid = candidate.status == FocalPathStatus::Valid;
    const bool bestValid = best.status == FocalPathStatus::Valid;
    if (candidateValid != bestValid)
    {
        return candidateValid;
    }
    return candidate.time < best.time;
}

} // namespace

const char* FocalPathStatusName(FocalPathStatus status)
{
    switch (status)
    {
    case FocalPathStatus::Valid:
        return "valid";
    case FocalPathStatus::OffInterface:
        return "off-interface";
    case FocalPathStatus::BlockedBeforeInterface:
        return "blocked-before-interface";
    case FocalPathStatus::BlockedAfterInterface:
        return "blocked-after-interface";
    case FocalPathStatus::NoStationaryPath:
        return "no-stationary-path";
    case FocalPathStatus::OutsideAperture:
        return "outside-aperture";
    }
    return "unknown";
}

const char* FocalPathStatusText(FocalPathStatus status)
{
    switch (status)
    {
    case FocalPathStatus::Valid:
        return "The path crosses the interface and stays in its two solids.";
    case FocalPathStatus::OffInterface:
        return "The path would cross the interface's surface outside the face the two solids share.";
    case FocalPathStatus::BlockedBeforeInterface:
        return "The path leaves the elements' solid before it reaches the interface.";
    case FocalPathStatus::BlockedAfterInterface:
        return "The path leaves the focal point's solid before it reaches the focal point.";
    case FocalPathStatus::NoStationaryPath:
        return "No path of stationary time crosses the interface.";
    case FocalPathStatus::OutsideAperture:
        return "The element is not in the focal point's aperture.";
    }
    return "Unknown status.";
}

FocalLaws ComputeFocalLaws(const AcousticTracer& tracer, const std::vector<Point>& elements,
                           const std::vector<Point>& focalPoints, const FocalLawOptions& options)
{
    if (elements.empty())
    {
        throw Refusal("There must be at least one element.");
    }
    if (focalPoints.empty())
    {
        throw Refusal("There must be at least one focal point.");
    }
    AcousticRules::CheckModes({options.elementMode, options.focalMode}, Method);
    CheckFinite(elements, "Element", Method);
    CheckFinite(focalPoints, "Focal point", Method);
    const std::size_t elementCount = elements.size();
    const std::size_t focalPointCount = focalPoints.size();
    CheckApertures(options, focalPointCount, elementCount);

    const AcousticTracerState& state = tracer.State();
    const TraceScene& scene = state.scene;
    const std::size_t elementSolid = LocateElements(scene, elements, Method);
    const auto speedIn = [&](std::size_t solid, WaveMode mode, const std::string& whose)
    {
        const Material& material = state.materials[solid];
        const double speed = material.GetSpeed(mode);
        if (!(speed > 0.0))
        {
            throw Refusal("\"" + material.GetName() + "\", the material of " + whose + ", carries no " +
                          ModeName(mode) + " wave.");
        }
        return speed;
    };
    const double elementSpeed = speedIn(elementSolid, options.elementMode, "the elements");

    // Each focal point's solid, and what paths into it need.
    std::vector<std::size_t> focalSolidIndices(focalPointCount);
    std::vector<std::unique_ptr<FocalSolid>> focalSolids(scene.SolidCount());
    for (std::size_t k = 0; k < focalPointCount; ++k)
    {
        const Point& focalPoint = focalPoints[k];
        if (LocatePoint(scene.Faces(elementSolid), focalPoint) != Membership::Outside)
        {
            throw Refusal("Focal point " + std::to_string(k) + " is in the elements' solid.");
        }
        std::size_t solid = 0;
        while (solid == elementSolid || LocatePoint(scene.Faces(solid), focalPoint) == Membership::Outside)
        {
            if (++solid == scene.SolidCount())
            {
                throw Refusal("Focal point " + std::to_string(k) + " is outside every solid.");
            }
        }
        focalSolidIndices[k] = solid;
        if (focalSolids[solid])
        {
            continue;
        }
        auto focalSolid = std::make_unique<FocalSolid>();
        focalSolid->speed = speedIn(solid, options.focalMode, FocalPointName(k));
        focalSolid->shared = FindSharedFaces(scene, elementSolid, solid);
        if (focalSolid->shared.faces.empty())
        {
            throw Refusal(focalSolid->shared.conicalFaceShared
                              ? "The solid of focal point " + std::to_string(k) +
                                    " meets the elements' solid only on a face that is neither flat nor "
                                    "cylindrical."
                              : "The solid of focal point " + std::to_string(k) +
                                    " shares no face with the elements' solid.");
        }
        for (const SharedFace& face : focalSolid->shared.faces)
        {
            focalSolid->crossings.emplace_back(face, scene.Faces(elementSolid), scene.Faces(solid),
                                               elementSpeed, focalSolid->speed);
        }
        focalSolids[solid] = std::move(focalSolid);
    }

    FocalLaws laws;
    laws.focalPointCount = focalPointCount;
    laws.elementCount = elementCount;
    const std::size_t pairCount = focalPointCount * elementCount;
    laws.times.assign(pairCount, NaN);
    laws.delays.assign(pairCount, NaN);
    laws.crossings.assign(3 * pairCount, NaN);
    laws.refractionAngles.assign(pairCount, NaN);
    laws.statuses.assign(pairCount, FocalPathStatus::NoStationaryPath);

    const bool apertures = !options.apertureStarts.empty();
    const auto solveRow = [&](std::size_t k)
    {
        const FocalSolid& focalSolid = *focalSolids[focalSolidIndices[k]];
        const std::size_t first = apertures ? options.apertureStarts[k] : 0;
        const std::size_t end = apertures ? first + options.apertureSize : elementCount;
        // Each element starts from its neighbour's crossing, which lies close.
        std::vector<double> angleGuesses(focalSolid.crossings.size(), NaN);
        double latest = -HUGE_VAL;
        for (std::size_t n = 0; n < elementCount; ++n)
        {
            const std::size_t pair = laws.PairIndex(k, n);
            if (n < first || n >= end)
            {
                laws.statuses[pair] = FocalPathStatus::OutsideAperture;
                continue;
            }
            FermatPath best;
            for (std::size_t i = 0; i < focalSolid.crossings.size(); ++i)
            {
                const FermatPath path =
                    focalSolid.crossings[i].Solve(elements[n], focalPoints[k], angleGuesses[i]);
                if (path.status != FocalPathStatus::NoStationaryPath &&
                    (best.status == FocalPathStatus::NoStationaryPath || IsBetter(path, best)))
                {
                    best = path;
                }
            }
            laws.statuses[pair] = best.status;
            if (best.status == FocalPathStatus::NoStationaryPath)
            {
                continue;
            }
            laws.crossings[3 * pair] = best.crossing.X();
            laws.crossings[3 * pair + 1] = best.crossing.Y();
            laws.crossings[3 * pair + 2] = best.crossing.Z();
            if (best.status == FocalPathStatus::Valid)
            {
                laws.times[pair] = best.time;
                laws.refractionAngles[pair] = best.refractionAngle;
                latest = std::max(latest, best.time);
            }
        }
        for (std::size_t n = first; n < end; ++n)
        {
            const std::size_t pair = laws.PairIndex(k, n);
            if (laws.statuses[pair] == FocalPathStatus::Valid)
            {
                laws.delays[pair] = latest - laws.times[pair];
            }
        }
    };
    // Each focal point writes its own row: the rows do not depend on the
    // threads.
    BatchOptions rowOptions;
    rowOptions.threadCount = options.threadCount;
    BatchEngine(focalPointCount, rowOptions).ForEach(solveRow);
    return laws;
}

} // namespace Quoria
