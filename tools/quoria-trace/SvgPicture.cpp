#include "SvgPicture.h"

#include "ConicalSurface.h"
#include "CylindricalArcSurface.h"
#include "CylindricalSurface.h"
#include "IContour.h"
#include "ISegment.h"
#include "ISurface.h"
#include "LineSegment.h"
#include "ScenarioError.h"
#include "TruncatedConicalSurface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <set>

using namespace Tessam::Geometry3D;

namespace QuoriaTrace
{

namespace
{

constexpr double Pi = 3.14159265358979323846;
// Two degrees per chord: smooth to the eye even for a circle a page wide.
constexpr double ArcStep = Pi / 90.0;

using Polyline = std::vector<Point>;

struct View
{
    int horizontal;
    int vertical;
    const char* title;
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
};

struct Box
{
    std::array<double, 3> low{};
    std::array<double, 3> high{};
};

double Coordinate(const Point& p, int axis)
{
    return axis == 0 ? p.X() : axis == 1 ? p.Y() : p.Z();
}

std::string Num(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string Label(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", std::fabs(value) < 1e-9 ? 0.0 : value);
    return text;
}

std::string Escape(const std::string& text)
{
    std::string escaped;
    for (const char c : text)
    {
        switch (c)
        {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// 1, 2 or 5 times a power of ten, near the wanted step.
double NiceStep(double wanted)
{
    if (!(wanted > 0.0))
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= wanted)
            return factor * power;
    return 10.0 * power;
}

// An edge shared by two faces appears in both faces' contours; draw it once.
std::string EdgeKey(const Polyline& line)
{
    auto key = [](const Point& p)
    {
        char text[96];
        std::snprintf(text, sizeof text, "%.6f,%.6f,%.6f", p.X(), p.Y(), p.Z());
        return std::string(text);
    };
    std::string first = key(line.front());
    std::string last = key(line.back());
    std::string middle = key(line[line.size() / 2]);
    if (last < first)
        std::swap(first, last);
    return first + "|" + middle + "|" + last;
}

// Face by face rather than through the solid's contour, so that one face
// whose outline the library cannot give costs only that face's edges.
std::vector<Polyline> Edges(const ISolid& solid, std::vector<std::string>& problems)
{
    std::vector<Polyline> edges;
    std::set<std::string> seen;
    const auto& surfaces = solid.GetSurfaces();
    for (std::size_t face = 0; face < surfaces.size(); ++face)
    {
        std::unique_ptr<IContour> contour;
        try
        {
            contour.reset(surfaces[face]->GetContour());
        }
        catch (const std::exception& error)
        {
            problems.push_back("face " + std::to_string(face) + ": " + ToUtf8(error.what()));
            continue;
        }
        for (const ISegment* segment : contour->GetSegments())
        {
            Polyline line;
            if (const auto* arc = dynamic_cast<const ArcSegment*>(segment))
                line = SampleArc(*arc);
            else
                line = {segment->GetFirstPoint(), segment->GetSecondPoint()};
            if (seen.insert(EdgeKey(line)).second)
                edges.push_back(line);
        }
    }
    return edges;
}

// Curved faces have no edge along their length; their outline in a view is
// where the surface turns away from the viewer. `along` is the viewing axis.
std::vector<Polyline> Silhouettes(const ISolid& solid, const Vector& along)
{
    std::vector<Polyline> lines;
    auto add = [&lines](const ISurface& face, const Point& from, const Point& to)
    {
        const Point middle = from + (to - from) * 0.5;
        if (face.Contains(middle))
            lines.push_back({from, to});
    };
    for (const ISurface* face : solid.GetSurfaces())
    {
        Point centre;
        Vector axis;
        double nearRadius = 0.0;
        double farRadius = 0.0;
        double nearDistance = 0.0;
        double farDistance = 0.0;
        if (const auto* cylinder = dynamic_cast<const CylindricalSurface*>(face))
        {
            centre = cylinder->GetCentroid();
            axis = cylinder->GetOrientation();
            nearRadius = farRadius = cylinder->GetRadius();
            nearDistance = -0.5 * cylinder->GetHeight();
            farDistance = 0.5 * cylinder->GetHeight();
        }
        else if (const auto* band = dynamic_cast<const CylindricalArcSurface*>(face))
        {
            centre = band->GetCentroid();
            axis = band->GetOrientation();
            nearRadius = farRadius = band->GetRadius();
            nearDistance = -0.5 * band->GetHeight();
            farDistance = 0.5 * band->GetHeight();
        }
        else if (const auto* frustum = dynamic_cast<const TruncatedConicalSurface*>(face))
        {
            centre = frustum->GetApex();
            axis = frustum->GetOrientation();
            nearRadius = frustum->GetRadiusTop();
            farRadius = frustum->GetRadius();
            nearDistance = frustum->GetHeight() - frustum->GetTruncatedHeight();
            farDistance = frustum->GetHeight();
        }
        else if (const auto* cone = dynamic_cast<const ConicalSurface*>(face))
        {
            centre = cone->GetApex();
            axis = cone->GetOrientation();
            farRadius = cone->GetRadius();
            farDistance = cone->GetHeight();
        }
        else
        {
            continue;
        }
        axis.Normalize();
        Vector side = axis.Cross(along);
        if (side.Length() < 1e-9)
            continue;
        side.Normalize();
        for (const double sign : {1.0, -1.0})
            add(*face, centre + axis * nearDistance + side * (sign * nearRadius),
                centre + axis * farDistance + side * (sign * farRadius));
    }
    return lines;
}

// Colours that stay apart for the colour-blind, one per specimen.
const char* SpecimenColour(std::size_t i)
{
    static const char* const colours[] = {"#1f5fa8", "#2e8b3e", "#8a4fb3", "#8c5a2b", "#5f6b75", "#b8860b"};
    return colours[i % 6];
}

// A dark-to-bright ramp for the beams of a sweep; a single beam is red.
std::string BeamColour(std::size_t i, std::size_t count)
{
    if (count <= 1)
        return "#d62728";
    static const std::array<std::array<double, 3>, 5> stops{
        {{{203, 24, 29}}, {{241, 105, 19}}, {{200, 160, 0}}, {{35, 139, 69}}, {{33, 113, 181}}}};
    const double t = static_cast<double>(i) / (count - 1) * (stops.size() - 1);
    const std::size_t k = std::min<std::size_t>(static_cast<std::size_t>(t), stops.size() - 2);
    const double f = t - k;
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x",
                  static_cast<int>(stops[k][0] + f * (stops[k + 1][0] - stops[k][0])),
                  static_cast<int>(stops[k][1] + f * (stops[k + 1][1] - stops[k][1])),
                  static_cast<int>(stops[k][2] + f * (stops[k + 1][2] - stops[k][2])));
    return text;
}

class Canvas
{
public:
    Canvas(const Box& box, double scale) : box(box), scale(scale) {}

    double X(const View& view, const Point& p) const
    {
        return view.left + (Coordinate(p, view.horizontal) - box.low[view.horizontal]) * scale;
    }
    double Y(const View& view, const Point& p) const
    {
        return view.top + (Coordinate(p, view.vertical) - box.low[view.vertical]) * scale;
    }

    std::string Polyline(const View& view, const std::vector<Point>& points, const std::string& style) const
    {
        std::string out = "<polyline fill=\"none\" " + style + " points=\"";
        for (std::size_t i = 0; i < points.size(); ++i)
            out += (i == 0 ? "" : " ") + Num(X(view, points[i])) + "," + Num(Y(view, points[i]));
        return out + "\"/>\n";
    }

    const Box& box;
    double scale;
};

std::vector<std::string> Wrap(const std::string& text, std::size_t width)
{
    std::vector<std::string> lines{""};
    std::size_t start = 0;
    while (start < text.size())
    {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > width)
            lines.emplace_back();
        lines.back() += (lines.back().empty() ? "" : " ") + word;
        start = end + 1;
    }
    return lines;
}

const char* AxisName(int axis)
{
    return axis == 0 ? "x" : axis == 1 ? "y" : "z";
}

std::string Frame(const View& view, const Canvas& canvas, int index, double step)
{
    std::string out;
    out += "<text x=\"" + Num(view.left) + "\" y=\"" + Num(view.top - 10) + "\" class=\"view\">" +
           Escape(view.title) + "</text>\n";
    out += "<rect x=\"" + Num(view.left) + "\" y=\"" + Num(view.top) + "\" width=\"" + Num(view.width) +
           "\" height=\"" + Num(view.height) + "\" fill=\"#fbfbf8\" stroke=\"#888\"/>\n";
    out += "<clipPath id=\"view" + std::to_string(index) + "\"><rect x=\"" + Num(view.left) + "\" y=\"" +
           Num(view.top) + "\" width=\"" + Num(view.width) + "\" height=\"" + Num(view.height) +
           "\"/></clipPath>\n";

    // Ticks with coordinates along the bottom and the left side; faint grid lines at each.
    const Box& box = canvas.box;
    const double bottom = view.top + view.height;
    const double right = view.left + view.width;
    for (double value = std::ceil(box.low[view.horizontal] / step) * step; value <= box.high[view.horizontal];
         value += step)
    {
        const double x = view.left + (value - box.low[view.horizontal]) * canvas.scale;
        out += "<line x1=\"" + Num(x) + "\" y1=\"" + Num(view.top) + "\" x2=\"" + Num(x) + "\" y2=\"" +
               Num(bottom) + "\" class=\"" + (std::fabs(value) < step * 1e-6 ? "zero" : "grid") + "\"/>\n";
        out += "<line x1=\"" + Num(x) + "\" y1=\"" + Num(bottom) + "\" x2=\"" + Num(x) + "\" y2=\"" +
               Num(bottom + 5) + "\" stroke=\"#555\"/>\n";
        out += "<text x=\"" + Num(x) + "\" y=\"" + Num(bottom + 17) +
               "\" class=\"tick\" text-anchor=\"middle\">" + Label(value) + "</text>\n";
    }
    for (double value = std::ceil(box.low[view.vertical] / step) * step; value <= box.high[view.vertical];
         value += step)
    {
        const double y = view.top + (value - box.low[view.vertical]) * canvas.scale;
        out += "<line x1=\"" + Num(view.left) + "\" y1=\"" + Num(y) + "\" x2=\"" + Num(right) + "\" y2=\"" +
               Num(y) + "\" class=\"" + (std::fabs(value) < step * 1e-6 ? "zero" : "grid") + "\"/>\n";
        out += "<line x1=\"" + Num(view.left - 5) + "\" y1=\"" + Num(y) + "\" x2=\"" + Num(view.left) +
               "\" y2=\"" + Num(y) + "\" stroke=\"#555\"/>\n";
        out += "<text x=\"" + Num(view.left - 8) + "\" y=\"" + Num(y + 4) +
               "\" class=\"tick\" text-anchor=\"end\">" + Label(value) + "</text>\n";
    }
    // Axis names with arrows in the direction of increasing coordinate.
    out += "<text x=\"" + Num(right) + "\" y=\"" + Num(bottom + 32) +
           "\" class=\"axis\" text-anchor=\"end\">" + AxisName(view.horizontal) + " \xE2\x86\x92</text>\n";
    out += "<text x=\"" + Num(view.left - 8) + "\" y=\"" + Num(view.top - 10) +
           "\" class=\"axis\" text-anchor=\"end\">" + AxisName(view.vertical) + " \xE2\x86\x93</text>\n";
    return out;
}

} // namespace

std::vector<Point> SampleArc(const ArcSegment& arc)
{
    Vector normal = arc.GetPlaneNormal();
    normal.Normalize();
    Vector radial = arc.GetRadialOrientation();
    radial.Normalize();
    const Vector tangential = normal.Cross(radial);
    const double first = arc.GetFirstAngle().Radians();
    const double sweep = arc.GetSecondAngle().Radians() - first;
    const int steps = std::max(4, static_cast<int>(std::ceil(std::fabs(sweep) / ArcStep)));
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i)
    {
        const double angle = first + sweep * i / steps;
        points.push_back(arc.GetCenter() +
                         (radial * std::cos(angle) + tangential * std::sin(angle)) * arc.GetRadius());
    }
    // The exact ends, so that edges meet without gaps.
    points.front() = arc.GetFirstPoint();
    points.back() = arc.GetSecondPoint();
    return points;
}

std::string RenderSvg(const Scenario& scenario, const std::string& source,
                      const std::vector<const ISolid*>& solids, const std::vector<BeamResult>& beams,
                      std::vector<std::string>& warnings)
{
    std::vector<std::vector<Polyline>> edges;
    for (std::size_t s = 0; s < solids.size(); ++s)
    {
        std::vector<std::string> problems;
        edges.push_back(Edges(*solids[s], problems));
        for (const auto& problem : problems)
            warnings.push_back("the outline of " + scenario.specimens[s].name + " misses " + problem);
    }

    Box box;
    box.low.fill(std::numeric_limits<double>::infinity());
    box.high.fill(-std::numeric_limits<double>::infinity());
    auto include = [&box](const Point& p)
    {
        for (int axis = 0; axis < 3; ++axis)
        {
            box.low[axis] = std::min(box.low[axis], Coordinate(p, axis));
            box.high[axis] = std::max(box.high[axis], Coordinate(p, axis));
        }
    };
    for (const auto& solidEdges : edges)
        for (const auto& line : solidEdges)
            for (const Point& p : line)
                include(p);
    for (const auto& beam : beams)
    {
        include(beam.entry.point);
        for (const auto& leg : beam.legs)
            include(leg.end);
    }
    double largest = 0.0;
    for (int axis = 0; axis < 3; ++axis)
        largest = std::max(largest, box.high[axis] - box.low[axis]);
    if (!(largest > 0.0))
        largest = 1.0;
    // A margin around the drawing, and some depth for views of a flat thing.
    for (int axis = 0; axis < 3; ++axis)
    {
        const double pad =
            0.06 * largest + 0.5 * std::max(0.0, 0.05 * largest - (box.high[axis] - box.low[axis]));
        box.low[axis] -= pad;
        box.high[axis] += pad;
    }
    const double dx = box.high[0] - box.low[0];
    const double dy = box.high[1] - box.low[1];
    const double dz = box.high[2] - box.low[2];

    const double scale = std::min(900.0 / (dx + dy), 640.0 / (dz + dy));
    const double gap = 70.0;
    std::size_t longest = 36;
    for (const auto& specimen : scenario.specimens)
        longest = std::max(longest, specimen.name.size() + specimen.factory.size() + 3);
    const double legendWidth = 60.0 + 7.5 * static_cast<double>(longest);
    View xz{0, 2, "XZ \xE2\x80\x94 seen from +y"};
    View yz{1, 2, "YZ \xE2\x80\x94 seen from \xE2\x88\x92x"};
    View xy{0, 1, "XY \xE2\x80\x94 seen from above (\xE2\x88\x92z)"};
    xz.left = xy.left = 80.0;
    xz.top = yz.top = 110.0;
    xz.width = xy.width = dx * scale;
    xz.height = yz.height = dz * scale;
    yz.left = xz.left + xz.width + gap;
    yz.width = dy * scale;
    xy.top = xz.top + xz.height + gap;
    xy.height = dy * scale;
    const double legendLeft = yz.left + yz.width + gap;
    const double width = legendLeft + legendWidth;
    const double height = std::max(xy.top + xy.height + 60.0, 560.0);

    const Canvas canvas(box, scale);
    const double step = NiceStep(largest / 10.0);
    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(width) + "\" height=\"" + Num(height) +
           "\" viewBox=\"0 0 " + Num(width) + " " + Num(height) +
           "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n";
    out += "<style>.view{font-size:14px;font-weight:bold;fill:#333}.tick{font-size:11px;fill:#555}"
           ".axis{font-size:13px;font-style:italic;fill:#333}.legend{font-size:13px;fill:#222}"
           ".grid{stroke:#e4e4de;stroke-width:0.8}.zero{stroke:#c9c9c0;stroke-width:1;stroke-dasharray:4 "
           "3}</style>\n";
    out += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    const std::string title = scenario.title.empty() ? std::string("quoria-trace") : scenario.title;
    out += "<text x=\"20\" y=\"34\" font-size=\"20\" font-weight=\"bold\" fill=\"#111\">" + Escape(title) +
           "</text>\n";
    std::string subtitle = source;
    if (!scenario.unit.empty())
        subtitle += "; lengths in " + scenario.unit;
    if (scenario.isSweep)
        subtitle += "; sweep of " + std::to_string(beams.size()) + " beams, " + scenario.sweepDescription;
    out += "<text x=\"20\" y=\"56\" font-size=\"13\" fill=\"#444\">" + Escape(subtitle) + "</text>\n";

    const std::array<View, 3> views{xz, yz, xy};
    for (std::size_t v = 0; v < views.size(); ++v)
    {
        const View& view = views[v];
        out += Frame(view, canvas, static_cast<int>(v), step);
        out += "<g clip-path=\"url(#view" + std::to_string(v) +
               ")\" stroke-linejoin=\"round\" stroke-linecap=\"round\">\n";
        const int depth = 3 - view.horizontal - view.vertical;
        const Vector along(depth == 0 ? 1.0 : 0.0, depth == 1 ? 1.0 : 0.0, depth == 2 ? 1.0 : 0.0);
        for (std::size_t s = 0; s < edges.size(); ++s)
        {
            const std::string style =
                std::string("stroke=\"") + SpecimenColour(s) + "\" stroke-width=\"1.3\"";
            for (const auto& line : edges[s])
                out += canvas.Polyline(view, line, style);
            for (const auto& line : Silhouettes(*solids[s], along))
                out += canvas.Polyline(view, line, style);
        }
        for (std::size_t b = 0; b < beams.size(); ++b)
        {
            const BeamResult& beam = beams[b];
            if (beam.legs.empty())
                continue;
            const std::string colour = BeamColour(b, beams.size());
            std::vector<Point> path{beam.legs.front().start};
            for (const auto& leg : beam.legs)
                path.push_back(leg.end);
            out += canvas.Polyline(view, path,
                                   "stroke=\"" + colour + "\" stroke-width=\"" +
                                       (beams.size() > 1 ? "1.4" : "2.2") + "\"");
            for (std::size_t i = 1; i + 1 < path.size(); ++i)
                out += "<circle cx=\"" + Num(canvas.X(view, path[i])) + "\" cy=\"" +
                       Num(canvas.Y(view, path[i])) + "\" r=\"2.2\" fill=\"" + colour + "\"/>\n";
            out += "<circle cx=\"" + Num(canvas.X(view, path.front())) + "\" cy=\"" +
                   Num(canvas.Y(view, path.front())) + "\" r=\"4\" fill=\"white\" stroke=\"" + colour +
                   "\" stroke-width=\"1.8\"/>\n";
            const double ex = canvas.X(view, path.back());
            const double ey = canvas.Y(view, path.back());
            if (beam.totalReflection)
                out += "<path d=\"M" + Num(ex - 5) + "," + Num(ey - 5) +
                       " l10,10 m0,-10 l-10,10\" stroke=\"black\" "
                       "stroke-width=\"2\"/>\n";
            else
                out += "<rect x=\"" + Num(ex - 3) + "\" y=\"" + Num(ey - 3) +
                       "\" width=\"6\" height=\"6\" fill=\"" + colour + "\"/>\n";
        }
        out += "</g>\n";
    }

    // Legend: what each colour is, the markers, and a scale bar.
    double y = xz.top;
    out += "<text x=\"" + Num(legendLeft) + "\" y=\"" + Num(y - 10) + "\" class=\"view\">Legend</text>\n";
    y += 14;
    for (std::size_t s = 0; s < solids.size(); ++s, y += 22)
    {
        out += "<line x1=\"" + Num(legendLeft) + "\" y1=\"" + Num(y) + "\" x2=\"" + Num(legendLeft + 30) +
               "\" y2=\"" + Num(y) + "\" stroke=\"" + SpecimenColour(s) + "\" stroke-width=\"2\"/>\n";
        out += "<text x=\"" + Num(legendLeft + 40) + "\" y=\"" + Num(y + 4) + "\" class=\"legend\">" +
               Escape(scenario.specimens[s].name + " (" + scenario.specimens[s].factory + ")") + "</text>\n";
    }
    if (!beams.empty())
    {
        if (beams.size() == 1)
        {
            out += "<line x1=\"" + Num(legendLeft) + "\" y1=\"" + Num(y) + "\" x2=\"" + Num(legendLeft + 30) +
                   "\" y2=\"" + Num(y) + "\" stroke=\"" + BeamColour(0, 1) + "\" stroke-width=\"2.2\"/>\n";
            out += "<text x=\"" + Num(legendLeft + 40) + "\" y=\"" + Num(y + 4) +
                   "\" class=\"legend\">beam, " + std::to_string(beams[0].legs.size()) +
                   (beams[0].legs.size() == 1 ? " leg" : " legs") + "</text>\n";
            y += 22;
        }
        else
        {
            for (std::size_t b = 0; b < beams.size(); ++b)
                out += "<rect x=\"" + Num(legendLeft + 30.0 * b / beams.size()) + "\" y=\"" + Num(y - 4) +
                       "\" width=\"" + Num(30.0 / beams.size() + 0.5) + "\" height=\"8\" fill=\"" +
                       BeamColour(b, beams.size()) + "\"/>\n";
            out += "<text x=\"" + Num(legendLeft + 40) + "\" y=\"" + Num(y + 4) + "\" class=\"legend\">" +
                   Escape(beams.front().request.label) + " \xE2\x80\xA6 " +
                   Escape(beams.back().request.label) + "</text>\n";
            y += 22;
        }
        out += "<circle cx=\"" + Num(legendLeft + 15) + "\" cy=\"" + Num(y) +
               "\" r=\"4\" fill=\"white\" stroke=\"#333\" stroke-width=\"1.8\"/>\n";
        out += "<text x=\"" + Num(legendLeft + 40) + "\" y=\"" + Num(y + 4) +
               "\" class=\"legend\">entry point</text>\n";
        y += 22;
        out +=
            "<circle cx=\"" + Num(legendLeft + 15) + "\" cy=\"" + Num(y) + "\" r=\"2.2\" fill=\"#333\"/>\n";
        out += "<text x=\"" + Num(legendLeft + 40) + "\" y=\"" + Num(y + 4) +
               "\" class=\"legend\">interface (reflected or transmitted)</text>\n";
        y += 22;
        out += "<rect x=\"" + Num(legendLeft + 12) + "\" y=\"" + Num(y - 3) +
               "\" width=\"6\" height=\"6\" fill=\"#333\"/>\n";
        out += "<text x=\"" + Num(legendLeft + 40) + "\" y=\"" + Num(y + 4) +
               "\" class=\"legend\">end of the beam</text>\n";
        y += 22;
        const bool anyCut =
            std::any_of(beams.begin(), beams.end(), [](const BeamResult& b) { return b.totalReflection; });
        if (anyCut)
        {
            out += "<path d=\"M" + Num(legendLeft + 10) + "," + Num(y - 5) +
                   " l10,10 m0,-10 l-10,10\" stroke=\"black\" stroke-width=\"2\"/>\n";
            out += "<text x=\"" + Num(legendLeft + 40) + "\" y=\"" + Num(y + 4) +
                   "\" class=\"legend\">beam cut: beyond the critical angle</text>\n";
            y += 22;
        }
    }
    if (beams.size() == 1)
    {
        const BeamResult& beam = beams.front();
        std::string entry = "Entry";
        if (beam.entry.face)
            entry += std::string(beam.entry.snapped ? " snapped onto" : " on") + " face " +
                     std::to_string(*beam.entry.face) + " (" + beam.entry.faceKind + ") of " +
                     scenario.specimens[*beam.entry.specimen].name;
        y += 6;
        for (const std::string& text : {entry + ".", "Trace " + beam.ending + "."})
            for (const std::string& line : Wrap(text, static_cast<std::size_t>((legendWidth - 10.0) / 6.6)))
            {
                out += "<text x=\"" + Num(legendLeft) + "\" y=\"" + Num(y) + "\" class=\"tick\">" +
                       Escape(line) + "</text>\n";
                y += 15;
            }
    }
    y += 16;
    const double barLength = NiceStep(std::min(largest / 4.0, 220.0 / scale));
    out += "<text x=\"" + Num(legendLeft) + "\" y=\"" + Num(y) +
           "\" class=\"legend\">Scale (all three views)</text>\n";
    y += 16;
    out += "<path d=\"M" + Num(legendLeft) + "," + Num(y - 5) + " v10 M" + Num(legendLeft) + "," + Num(y) +
           " h" + Num(barLength * scale) + " M" + Num(legendLeft + barLength * scale) + "," + Num(y - 5) +
           " v10\" stroke=\"#222\" stroke-width=\"2\" fill=\"none\"/>\n";
    out += "<text x=\"" + Num(legendLeft + barLength * scale + 8) + "\" y=\"" + Num(y + 4) +
           "\" class=\"legend\">" +
           Escape(Label(barLength) + (scenario.unit.empty() ? "" : " " + scenario.unit)) + "</text>\n";
    y += 30;
    out += "<text x=\"" + Num(legendLeft) + "\" y=\"" + Num(y) +
           "\" class=\"tick\">+z points into the specimen (down).</text>\n";
    out += "</svg>\n";
    return out;
}

} // namespace QuoriaTrace
