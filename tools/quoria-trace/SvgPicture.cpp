#include "SvgPicture.h"

#include "IContour.h"
#include "ISegment.h"
#include "ISurface.h"
#include "LineSegment.h"
#include "NumberText.h"
#include "RevolvedBand.h"
#include "ScenarioError.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <set>

using namespace Tessam::Geometry3D;

namespace QuoriaTrace
{

namespace
{

// Two degrees per chord: smooth to the eye even for a circle a page wide.
constexpr double ArcStep = Pi / 90.0;

// The page, in pixels: the XZ view, the YZ view to its right, the XY view
// under it, and the legend at the right.
constexpr double ViewsLeft = 80.0; // room for the tick labels of the vertical axes
constexpr double ViewsTop = 110.0; // room for the title and the subtitle
constexpr double ViewGap = 70.0;   // between the views, and before the legend
// The XZ and YZ views together are at most this wide, the XZ and XY views this high.
constexpr double ViewsWidth = 900.0;
constexpr double ViewsHeight = 640.0;
constexpr double BottomMargin = 60.0;
// High enough for the legend beside a flat drawing.
constexpr double MinimumPageHeight = 560.0;
// Fractions of the drawing's largest extent: the margin around it, and the
// depth that views of a flat drawing get at least.
constexpr double MarginFraction = 0.06;
constexpr double MinimumDepthFraction = 0.05;
// Roughly this many ticks along the largest extent.
constexpr double TickCount = 10.0;

// The legend: a key, then its text, one row each.
constexpr double LegendKeyWidth = 30.0;
constexpr double LegendTextOffset = 40.0;
constexpr double LegendRow = 22.0;
// Wide enough for the longest specimen line, at the legend's font size.
constexpr std::size_t LegendMinimumCharacters = 36;
constexpr double LegendCharacterWidth = 7.5;
constexpr double LegendPadding = 60.0;
// The notes under the keys, at the ticks' smaller font size.
constexpr double NoteCharacterWidth = 6.6;
constexpr double NoteRightMargin = 10.0;
constexpr double NoteLine = 15.0;
// The scale bar is at most this many pixels long.
constexpr double ScaleBarMaximum = 220.0;
// A leg's wave mode stands this far beside the middle of the leg; a leg
// shorter than the minimum on the page has no room for it, and a label this
// near another of the same mode (a sweep's fan) adds nothing.
constexpr double ModeLabelOffset = 9.0;
constexpr double ModeLabelMinimumLeg = 24.0;
constexpr double ModeLabelSpacing = 20.0;

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

// Where everything stands on the page.
struct Layout
{
    // The drawing's bounds, margins included.
    Box box;
    // The largest extent of the drawing itself.
    double largest = 0.0;
    // Pixels per unit of length, the same in every view.
    double scale = 0.0;
    double tickStep = 0.0;
    // XZ, YZ, XY.
    std::array<View, 3> views;
    double legendLeft = 0.0;
    double legendWidth = 0.0;
    double width = 0.0;
    double height = 0.0;
};

double Coordinate(const Point& p, int axis)
{
    return axis == 0 ? p.X() : axis == 1 ? p.Y() : p.Z();
}

// Positions on the page, to a tenth of a pixel.
std::string Px(double value)
{
    return Fixed(value, 1);
}

// Tick values are sums of steps: what should be 0 may be a rounding off it.
std::string TickLabel(double value)
{
    return General(std::fabs(value) < 1e-9 ? 0.0 : value);
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
    {
        return 1.0;
    }
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
    {
        if (factor * power >= wanted)
        {
            return factor * power;
        }
    }
    return 10.0 * power;
}

// An edge shared by two faces appears in both faces' contours; draw it once.
// The key is not a text for people, so it keeps its own format.
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
    const std::string middle = key(line[line.size() / 2]);
    if (last < first)
    {
        std::swap(first, last);
    }
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
            {
                line = SampleArc(*arc);
            }
            else
            {
                line = {segment->GetFirstPoint(), segment->GetSecondPoint()};
            }
            if (seen.insert(EdgeKey(line)).second)
            {
                edges.push_back(line);
            }
        }
    }
    return edges;
}

std::vector<std::vector<Polyline>> SpecimenEdges(const Scenario& scenario,
                                                 const std::vector<const ISolid*>& solids,
                                                 std::vector<std::string>& warnings)
{
    std::vector<std::vector<Polyline>> edges;
    for (std::size_t s = 0; s < solids.size(); ++s)
    {
        std::vector<std::string> problems;
        edges.push_back(Edges(*solids[s], problems));
        for (const auto& problem : problems)
        {
            warnings.push_back("the outline of " + scenario.specimens[s].name + " misses " + problem);
        }
    }
    return edges;
}

// Curved faces have no edge along their length; their outline in a view is
// where the surface turns away from the viewer. `along` is the viewing axis.
std::vector<Polyline> Silhouettes(const ISolid& solid, const Vector& along)
{
    std::vector<Polyline> lines;
    for (const ISurface* face : solid.GetSurfaces())
    {
        const std::optional<QuoriaTools::RevolvedBand> band = QuoriaTools::RevolvedBandOf(*face);
        if (!band)
        {
            continue;
        }
        Vector axis = band->axis;
        axis.Normalize();
        Vector side = axis.Cross(along);
        if (side.Length() < 1e-9)
        {
            continue;
        }
        side.Normalize();
        const Point end = band->start + axis * band->length;
        for (const double sign : {1.0, -1.0})
        {
            const Point from = band->start + side * (sign * band->startRadius);
            const Point to = end + side * (sign * band->endRadius);
            // A partial band has the line only where its angular span reaches.
            if (face->Contains(from + (to - from) * 0.5))
            {
                lines.push_back({from, to});
            }
        }
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
    {
        return "#d62728";
    }
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

// The markers along a beam, the same in the views and in the legend.
std::string EntryMarker(double x, double y, const std::string& colour)
{
    return "<circle cx=\"" + Px(x) + "\" cy=\"" + Px(y) + "\" r=\"4\" fill=\"white\" stroke=\"" + colour +
           "\" stroke-width=\"1.8\"/>\n";
}

std::string InterfaceMarker(double x, double y, const std::string& colour)
{
    return "<circle cx=\"" + Px(x) + "\" cy=\"" + Px(y) + "\" r=\"2.2\" fill=\"" + colour + "\"/>\n";
}

std::string EndMarker(double x, double y, const std::string& colour)
{
    return "<rect x=\"" + Px(x - 3) + "\" y=\"" + Px(y - 3) + "\" width=\"6\" height=\"6\" fill=\"" + colour +
           "\"/>\n";
}

std::string CutMarker(double x, double y)
{
    return "<path d=\"M" + Px(x - 5) + "," + Px(y - 5) +
           " l10,10 m0,-10 l-10,10\" stroke=\"black\" stroke-width=\"2\"/>\n";
}

// Bold, on a white halo so that it stays legible over the lines it crosses;
// (x, y) is the middle of the letter.
std::string ModeLabel(double x, double y, const std::string& colour, Quoria::WaveMode mode)
{
    return "<text x=\"" + Px(x) + "\" y=\"" + Px(y + 4) + "\" class=\"mode\" fill=\"" + colour +
           "\" font-size=\"12\" font-weight=\"bold\" text-anchor=\"middle\" stroke=\"white\" "
           "stroke-width=\"3\" paint-order=\"stroke\">" +
           ModeName(mode) + "</text>\n";
}

struct PlacedLabel
{
    double x;
    double y;
    Quoria::WaveMode mode;
};

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
        {
            out += (i == 0 ? "" : " ") + Px(X(view, points[i])) + "," + Px(Y(view, points[i]));
        }
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
        {
            end = text.size();
        }
        const std::string word = text.substr(start, end - start);
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > width)
        {
            lines.emplace_back();
        }
        lines.back() += (lines.back().empty() ? "" : " ") + word;
        start = end + 1;
    }
    return lines;
}

const char* AxisName(int axis)
{
    return axis == 0 ? "x" : axis == 1 ? "y" : "z";
}

// Everything drawn, unpadded: the specimens' edges and the beams.
Box Bounds(const std::vector<std::vector<Polyline>>& edges, const std::vector<BeamResult>& beams)
{
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
    {
        for (const auto& line : solidEdges)
        {
            for (const Point& p : line)
            {
                include(p);
            }
        }
    }
    for (const auto& beam : beams)
    {
        include(beam.entry.point);
        for (const auto& leg : beam.legs)
        {
            include(leg.end);
        }
    }
    return box;
}

Layout MakeLayout(const Box& bounds, const Scenario& scenario)
{
    Layout layout;
    layout.box = bounds;
    Box& box = layout.box;
    double largest = 0.0;
    for (int axis = 0; axis < 3; ++axis)
    {
        largest = std::max(largest, box.high[axis] - box.low[axis]);
    }
    if (!(largest > 0.0))
    {
        largest = 1.0;
    }
    layout.largest = largest;
    for (int axis = 0; axis < 3; ++axis)
    {
        const double pad =
            MarginFraction * largest +
            0.5 * std::max(0.0, MinimumDepthFraction * largest - (box.high[axis] - box.low[axis]));
        box.low[axis] -= pad;
        box.high[axis] += pad;
    }
    const double dx = box.high[0] - box.low[0];
    const double dy = box.high[1] - box.low[1];
    const double dz = box.high[2] - box.low[2];
    layout.scale = std::min(ViewsWidth / (dx + dy), ViewsHeight / (dz + dy));
    layout.tickStep = NiceStep(largest / TickCount);

    View xz{0, 2, "XZ \xE2\x80\x94 seen from +y"};
    View yz{1, 2, "YZ \xE2\x80\x94 seen from \xE2\x88\x92x"};
    View xy{0, 1, "XY \xE2\x80\x94 seen from above (\xE2\x88\x92z)"};
    xz.left = xy.left = ViewsLeft;
    xz.top = yz.top = ViewsTop;
    xz.width = xy.width = dx * layout.scale;
    xz.height = yz.height = dz * layout.scale;
    yz.left = xz.left + xz.width + ViewGap;
    yz.width = dy * layout.scale;
    xy.top = xz.top + xz.height + ViewGap;
    xy.height = dy * layout.scale;
    layout.views = {xz, yz, xy};

    std::size_t longest = LegendMinimumCharacters;
    for (const auto& specimen : scenario.specimens)
    {
        longest = std::max(longest, specimen.name.size() + specimen.factory.size() + 3);
    }
    layout.legendWidth = LegendPadding + LegendCharacterWidth * static_cast<double>(longest);
    layout.legendLeft = yz.left + yz.width + ViewGap;
    layout.width = layout.legendLeft + layout.legendWidth;
    layout.height = std::max(xy.top + xy.height + BottomMargin, MinimumPageHeight);
    return layout;
}

std::string Heading(const Layout& layout, const Scenario& scenario, const std::string& source,
                    std::size_t beamCount)
{
    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Px(layout.width) + "\" height=\"" +
           Px(layout.height) + "\" viewBox=\"0 0 " + Px(layout.width) + " " + Px(layout.height) +
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
    {
        subtitle += "; lengths in " + scenario.unit;
    }
    if (scenario.focalLaws)
    {
        subtitle += "; " + scenario.sweepDescription;
    }
    else if (scenario.isSweep)
    {
        subtitle += "; sweep of " + std::to_string(beamCount) + " beams, " + scenario.sweepDescription;
    }
    out += "<text x=\"20\" y=\"56\" font-size=\"13\" fill=\"#444\">" + Escape(subtitle) + "</text>\n";
    return out;
}

// A grid line and a labelled tick at each multiple of `step`, along the
// bottom for the horizontal axis and the left side for the vertical one.
std::string Ticks(const View& view, const Canvas& canvas, double step)
{
    std::string out;
    const Box& box = canvas.box;
    const double bottom = view.top + view.height;
    const double right = view.left + view.width;
    const auto gridClass = [step](double value) { return std::fabs(value) < step * 1e-6 ? "zero" : "grid"; };
    for (double value = std::ceil(box.low[view.horizontal] / step) * step; value <= box.high[view.horizontal];
         value += step)
    {
        const double x = view.left + (value - box.low[view.horizontal]) * canvas.scale;
        out += "<line x1=\"" + Px(x) + "\" y1=\"" + Px(view.top) + "\" x2=\"" + Px(x) + "\" y2=\"" +
               Px(bottom) + "\" class=\"" + gridClass(value) + "\"/>\n";
        out += "<line x1=\"" + Px(x) + "\" y1=\"" + Px(bottom) + "\" x2=\"" + Px(x) + "\" y2=\"" +
               Px(bottom + 5) + "\" stroke=\"#555\"/>\n";
        out += "<text x=\"" + Px(x) + "\" y=\"" + Px(bottom + 17) +
               "\" class=\"tick\" text-anchor=\"middle\">" + TickLabel(value) + "</text>\n";
    }
    for (double value = std::ceil(box.low[view.vertical] / step) * step; value <= box.high[view.vertical];
         value += step)
    {
        const double y = view.top + (value - box.low[view.vertical]) * canvas.scale;
        out += "<line x1=\"" + Px(view.left) + "\" y1=\"" + Px(y) + "\" x2=\"" + Px(right) + "\" y2=\"" +
               Px(y) + "\" class=\"" + gridClass(value) + "\"/>\n";
        out += "<line x1=\"" + Px(view.left - 5) + "\" y1=\"" + Px(y) + "\" x2=\"" + Px(view.left) +
               "\" y2=\"" + Px(y) + "\" stroke=\"#555\"/>\n";
        out += "<text x=\"" + Px(view.left - 8) + "\" y=\"" + Px(y + 4) +
               "\" class=\"tick\" text-anchor=\"end\">" + TickLabel(value) + "</text>\n";
    }
    return out;
}

// The view's title, background, clip path, ticks and axis names.
std::string Frame(const View& view, const Canvas& canvas, std::size_t index, double step)
{
    std::string out;
    out += "<text x=\"" + Px(view.left) + "\" y=\"" + Px(view.top - 10) + "\" class=\"view\">" +
           Escape(view.title) + "</text>\n";
    out += "<rect x=\"" + Px(view.left) + "\" y=\"" + Px(view.top) + "\" width=\"" + Px(view.width) +
           "\" height=\"" + Px(view.height) + "\" fill=\"#fbfbf8\" stroke=\"#888\"/>\n";
    out += "<clipPath id=\"view" + std::to_string(index) + "\"><rect x=\"" + Px(view.left) + "\" y=\"" +
           Px(view.top) + "\" width=\"" + Px(view.width) + "\" height=\"" + Px(view.height) +
           "\"/></clipPath>\n";
    out += Ticks(view, canvas, step);
    // Arrows in the direction of increasing coordinate.
    const double bottom = view.top + view.height;
    const double right = view.left + view.width;
    out += "<text x=\"" + Px(right) + "\" y=\"" + Px(bottom + 32) + "\" class=\"axis\" text-anchor=\"end\">" +
           AxisName(view.horizontal) + " \xE2\x86\x92</text>\n";
    out += "<text x=\"" + Px(view.left - 8) + "\" y=\"" + Px(view.top - 10) +
           "\" class=\"axis\" text-anchor=\"end\">" + AxisName(view.vertical) + " \xE2\x86\x93</text>\n";
    return out;
}

// Each leg's mode beside its middle, on the side of the leg towards the top
// of the page (the right of an upright leg).
std::string ModeLabels(const Canvas& canvas, const View& view, const BeamResult& beam,
                       const std::string& colour, std::vector<PlacedLabel>& placed)
{
    std::string out;
    for (const LegRecord& leg : beam.legs)
    {
        if (!leg.wave)
        {
            continue;
        }
        const double x0 = canvas.X(view, leg.start);
        const double y0 = canvas.Y(view, leg.start);
        const double dx = canvas.X(view, leg.end) - x0;
        const double dy = canvas.Y(view, leg.end) - y0;
        const double length = std::hypot(dx, dy);
        if (length < ModeLabelMinimumLeg)
        {
            continue;
        }
        double nx = dy / length;
        double ny = -dx / length;
        if (ny > 0.0 || (ny == 0.0 && nx < 0.0))
        {
            nx = -nx;
            ny = -ny;
        }
        const PlacedLabel label{x0 + dx / 2 + nx * ModeLabelOffset, y0 + dy / 2 + ny * ModeLabelOffset,
                                leg.wave->mode};
        const bool crowded =
            std::any_of(placed.begin(), placed.end(),
                        [&label](const PlacedLabel& other) {
                            return other.mode == label.mode &&
                                   std::hypot(other.x - label.x, other.y - label.y) < ModeLabelSpacing;
                        });
        if (!crowded)
        {
            placed.push_back(label);
            out += ModeLabel(label.x, label.y, colour, label.mode);
        }
    }
    return out;
}

std::string DrawBeam(const Canvas& canvas, const View& view, const BeamResult& beam,
                     const std::string& colour, bool thin)
{
    if (beam.legs.empty())
    {
        // Cut before its first leg: where it would have started.
        if (!beam.IsCut())
        {
            return "";
        }
        const double x = canvas.X(view, beam.entry.point);
        const double y = canvas.Y(view, beam.entry.point);
        return EntryMarker(x, y, colour) + CutMarker(x, y);
    }
    std::vector<Point> path{beam.legs.front().start};
    for (const auto& leg : beam.legs)
    {
        path.push_back(leg.end);
    }
    std::string out = canvas.Polyline(
        view, path, "stroke=\"" + colour + "\" stroke-width=\"" + (thin ? "1.4" : "2.2") + "\"");
    for (std::size_t i = 1; i + 1 < path.size(); ++i)
    {
        out += InterfaceMarker(canvas.X(view, path[i]), canvas.Y(view, path[i]), colour);
    }
    out += EntryMarker(canvas.X(view, path.front()), canvas.Y(view, path.front()), colour);
    const double endX = canvas.X(view, path.back());
    const double endY = canvas.Y(view, path.back());
    out += beam.IsCut() ? CutMarker(endX, endY) : EndMarker(endX, endY, colour);
    return out;
}

// One view: its frame, then the specimens and the beams clipped to it.
std::string DrawView(const Layout& layout, std::size_t index, const std::vector<const ISolid*>& solids,
                     const std::vector<std::vector<Polyline>>& edges, const std::vector<BeamResult>& beams)
{
    const View& view = layout.views[index];
    const Canvas canvas(layout.box, layout.scale);
    std::string out = Frame(view, canvas, index, layout.tickStep);
    out += "<g clip-path=\"url(#view" + std::to_string(index) +
           ")\" stroke-linejoin=\"round\" stroke-linecap=\"round\">\n";
    const int depth = 3 - view.horizontal - view.vertical;
    const Vector along(depth == 0 ? 1.0 : 0.0, depth == 1 ? 1.0 : 0.0, depth == 2 ? 1.0 : 0.0);
    for (std::size_t s = 0; s < edges.size(); ++s)
    {
        const std::string style = std::string("stroke=\"") + SpecimenColour(s) + "\" stroke-width=\"1.3\"";
        for (const auto& line : edges[s])
        {
            out += canvas.Polyline(view, line, style);
        }
        for (const auto& line : Silhouettes(*solids[s], along))
        {
            out += canvas.Polyline(view, line, style);
        }
    }
    for (std::size_t b = 0; b < beams.size(); ++b)
    {
        out += DrawBeam(canvas, view, beams[b], BeamColour(b, beams.size()), beams.size() > 1);
    }
    // Over every beam, so that no line hides a label.
    std::vector<PlacedLabel> placed;
    for (std::size_t b = 0; b < beams.size(); ++b)
    {
        out += ModeLabels(canvas, view, beams[b], BeamColour(b, beams.size()), placed);
    }
    return out + "</g>\n";
}

// The legend's column, written top down.
class LegendColumn
{
public:
    LegendColumn(double left, double top) : left(left), y(top) {}

    double KeyCentre() const { return left + LegendKeyWidth / 2.0; }
    double Y() const { return y; }
    void Skip(double height) { y += height; }
    void Add(const std::string& svg) { out += svg; }

    std::string LineKey(const std::string& colour, const char* width) const
    {
        return "<line x1=\"" + Px(left) + "\" y1=\"" + Px(y) + "\" x2=\"" + Px(left + LegendKeyWidth) +
               "\" y2=\"" + Px(y) + "\" stroke=\"" + colour + "\" stroke-width=\"" + width + "\"/>\n";
    }
    // A key and what it stands for.
    void Row(const std::string& key, const std::string& text)
    {
        out += key + "<text x=\"" + Px(left + LegendTextOffset) + "\" y=\"" + Px(y + 4) +
               "\" class=\"legend\">" + Escape(text) + "</text>\n";
        y += LegendRow;
    }
    void Text(double x, const char* style, const std::string& text)
    {
        out += "<text x=\"" + Px(x) + "\" y=\"" + Px(y) + "\" class=\"" + style + "\">" + Escape(text) +
               "</text>\n";
    }

    const double left;
    std::string out;

private:
    double y;
};

void BeamKeys(LegendColumn& legend, const std::vector<BeamResult>& beams, bool focal)
{
    if (beams.size() == 1)
    {
        legend.Row(legend.LineKey(BeamColour(0, 1), "2.2"),
                   "beam, " + std::to_string(beams[0].legs.size()) +
                       (beams[0].legs.size() == 1 ? " leg" : " legs"));
    }
    else
    {
        // The sweep's colour ramp, first beam to last.
        std::string ramp;
        for (std::size_t b = 0; b < beams.size(); ++b)
        {
            ramp += "<rect x=\"" + Px(legend.left + LegendKeyWidth * b / beams.size()) + "\" y=\"" +
                    Px(legend.Y() - 4) + "\" width=\"" + Px(LegendKeyWidth / beams.size() + 0.5) +
                    "\" height=\"8\" fill=\"" + BeamColour(b, beams.size()) + "\"/>\n";
        }
        legend.Row(ramp, beams.front().request.label + " \xE2\x80\xA6 " + beams.back().request.label);
    }
    const std::string ink = "#333";
    legend.Row(EntryMarker(legend.KeyCentre(), legend.Y(), ink), focal ? "element" : "entry point");
    legend.Row(InterfaceMarker(legend.KeyCentre(), legend.Y(), ink),
               focal ? "crossing of the interface" : "interface (reflected or transmitted)");
    legend.Row(EndMarker(legend.KeyCentre(), legend.Y(), ink), focal ? "focal point" : "end of the beam");
    if (std::any_of(beams.begin(), beams.end(), [](const BeamResult& b) { return b.totalReflection; }))
    {
        legend.Row(CutMarker(legend.KeyCentre(), legend.Y()), "beam cut: beyond the critical angle");
    }
    if (std::any_of(beams.begin(), beams.end(), [](const BeamResult& b) { return !b.error.empty(); }))
    {
        legend.Row(CutMarker(legend.KeyCentre(), legend.Y()), "beam cut: no such wave");
    }
    const auto hasWaves = [](const BeamResult& b)
    {
        return std::any_of(b.legs.begin(), b.legs.end(),
                           [](const LegRecord& leg) { return leg.wave.has_value(); });
    };
    if (std::any_of(beams.begin(), beams.end(), hasWaves))
    {
        legend.Row(ModeLabel(legend.KeyCentre() - 8, legend.Y(), ink, Quoria::WaveMode::L) +
                       ModeLabel(legend.KeyCentre() + 8, legend.Y(), ink, Quoria::WaveMode::T),
                   "wave mode: longitudinal, transverse");
    }
}

// Where a single beam entered and why it ended, wrapped to the legend's width.
void BeamNotes(LegendColumn& legend, const Layout& layout, const Scenario& scenario, const BeamResult& beam)
{
    std::string entry = "Entry";
    if (beam.entry.face)
    {
        entry += std::string(beam.entry.snapped ? " snapped onto" : " on") + " face " +
                 std::to_string(*beam.entry.face) + " (" + beam.entry.faceKind + ") of " +
                 scenario.specimens[*beam.entry.specimen].name;
    }
    legend.Skip(6);
    const auto width = static_cast<std::size_t>((layout.legendWidth - NoteRightMargin) / NoteCharacterWidth);
    for (const std::string& text : {entry + ".", "Trace " + beam.ending + "."})
    {
        for (const std::string& line : Wrap(text, width))
        {
            legend.Text(legend.left, "tick", line);
            legend.Skip(NoteLine);
        }
    }
}

void ScaleBar(LegendColumn& legend, const Layout& layout, const Scenario& scenario)
{
    const double barLength = NiceStep(std::min(layout.largest / 4.0, ScaleBarMaximum / layout.scale));
    const double barEnd = legend.left + barLength * layout.scale;
    legend.Skip(16);
    legend.Text(legend.left, "legend", "Scale (all three views)");
    legend.Skip(16);
    const double y = legend.Y();
    legend.Add("<path d=\"M" + Px(legend.left) + "," + Px(y - 5) + " v10 M" + Px(legend.left) + "," + Px(y) +
               " h" + Px(barLength * layout.scale) + " M" + Px(barEnd) + "," + Px(y - 5) +
               " v10\" stroke=\"#222\" stroke-width=\"2\" fill=\"none\"/>\n");
    legend.Skip(4);
    legend.Text(barEnd + 8, "legend",
                TickLabel(barLength) + (scenario.unit.empty() ? "" : " " + scenario.unit));
    legend.Skip(26);
}

// What each colour and marker means, notes on a single beam, and a scale bar.
std::string Legend(const Layout& layout, const Scenario& scenario, const std::vector<BeamResult>& beams)
{
    LegendColumn legend(layout.legendLeft, layout.views[0].top);
    legend.Skip(-10);
    legend.Text(legend.left, "view", "Legend");
    legend.Skip(24);
    for (std::size_t s = 0; s < scenario.specimens.size(); ++s)
    {
        const SpecimenInput& specimen = scenario.specimens[s];
        legend.Row(legend.LineKey(SpecimenColour(s), "2"), specimen.name + " (" + specimen.factory + ")");
    }
    if (!beams.empty())
    {
        BeamKeys(legend, beams, scenario.focalLaws.has_value());
    }
    if (beams.size() == 1 && !scenario.focalLaws)
    {
        BeamNotes(legend, layout, scenario, beams.front());
    }
    ScaleBar(legend, layout, scenario);
    legend.Text(legend.left, "tick", "+z points into the specimen (down).");
    return legend.out;
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
    const std::vector<std::vector<Polyline>> edges = SpecimenEdges(scenario, solids, warnings);
    const Layout layout = MakeLayout(Bounds(edges, beams), scenario);
    std::string out = Heading(layout, scenario, source, beams.size());
    for (std::size_t v = 0; v < layout.views.size(); ++v)
    {
        out += DrawView(layout, v, solids, edges, beams);
    }
    return out + Legend(layout, scenario, beams) + "</svg>\n";
}

} // namespace QuoriaTrace
