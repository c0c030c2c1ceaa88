#pragma once

// The results of traces as numpy arrays, shared by the calls that trace.

#include "bindings.h"

#include "LineSegment.h"
#include "TraceEnding.h"
#include "TraceReport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace QuoriaPython
{

inline const Tessam::Geometry3D::LineSegment& SegmentOf(const Tessam::Geometry3D::LineSegment& segment)
{
    return segment;
}

inline const Tessam::Geometry3D::LineSegment& SegmentOf(const Quoria::TraceLeg& leg)
{
    return leg.segment;
}

// (n, 2, 3): the start and the end of each leg.
template <typename Legs> py::array_t<double> LegsArray(const Legs& legs)
{
    const auto count = static_cast<py::ssize_t>(legs.size());
    py::array_t<double> array({count, py::ssize_t(2), py::ssize_t(3)});
    auto out = array.template mutable_unchecked<3>();
    for (py::ssize_t i = 0; i < count; ++i)
    {
        const Tessam::Geometry3D::LineSegment& segment = SegmentOf(legs[static_cast<std::size_t>(i)]);
        const Tessam::Geometry3D::Point ends[2] = {segment.GetFirstPoint(), segment.GetSecondPoint()};
        for (py::ssize_t end = 0; end < 2; ++end)
        {
            out(i, end, 0) = ends[end].X();
            out(i, end, 1) = ends[end].Y();
            out(i, end, 2) = ends[end].Z();
        }
    }
    return array;
}

// quoria.TraceReport: the legs of one trace with what the library knows of
// each, and how the trace ended.
struct PyTraceReport
{
    py::array_t<double> legs;
    py::array_t<std::int32_t> solids;
    py::array_t<std::int32_t> faces;
    py::array_t<std::int32_t> behaviors;
    py::array_t<double> lengths;
    std::string ending;

    // Legs of TraceLeg or of a type derived from it.
    template <typename Leg>
    static PyTraceReport From(const std::vector<Leg>& legs, Quoria::TraceEnding ending)
    {
        const std::size_t count = legs.size();
        PyTraceReport result{LegsArray(legs),
                             py::array_t<std::int32_t>(count),
                             py::array_t<std::int32_t>(count),
                             py::array_t<std::int32_t>(count),
                             py::array_t<double>(count),
                             Quoria::TraceEndingName(ending)};
        for (std::size_t i = 0; i < count; ++i)
        {
            const Quoria::TraceLeg& leg = legs[i];
            result.solids.mutable_at(i) = static_cast<std::int32_t>(leg.solid);
            result.faces.mutable_at(i) =
                leg.face == Quoria::NoFace ? -1 : static_cast<std::int32_t>(leg.face);
            result.behaviors.mutable_at(i) = static_cast<std::int32_t>(leg.behavior);
            result.lengths.mutable_at(i) = leg.segment.Length();
        }
        return result;
    }

    py::tuple State() const { return py::make_tuple(legs, solids, faces, behaviors, lengths, ending); }
    // From the first six items of a pickled state.
    static PyTraceReport FromState(const py::tuple& state)
    {
        return PyTraceReport{
            state[0].cast<py::array_t<double>>(),       state[1].cast<py::array_t<std::int32_t>>(),
            state[2].cast<py::array_t<std::int32_t>>(), state[3].cast<py::array_t<std::int32_t>>(),
            state[4].cast<py::array_t<double>>(),       state[5].cast<std::string>()};
    }
};

} // namespace QuoriaPython
