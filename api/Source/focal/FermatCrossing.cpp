#include "FermatCrossing.h"

#include "AngularPosition.h"
#include "QuadraticRoots.h"
#include "SolidMembership.h"

#include <algorithm>
#include <cmath>
#include <limits>

using Tessam::Geometry3D::Point;
using Tessam::Geometry3D::ShapeKind;
using Tessam::Geometry3D::SurfaceShape;
using Tessam::Geometry3D::TwoPi;
using Tessam::Geometry3D::Vector;

namespace Quoria
{

namespace
{

constexpr double Epsilon = std::numeric_limits<double>::epsilon();

// Brent's method on a bracket where g(low) < 0 < g(high): inverse quadratic
// interpolation or secant steps where they stay well inside the bracket,
// bisection otherwise. Converges to the rounding of the arguments.
template <typename Function>
double BracketedRoot(const Function& g, double low, double high, double gLow, double gHigh)
{
    double a = low;
    double b = high;
    double fa = gLow;
    double fb = gHigh;
    double c = b;
    double fc = fb;
    double step = 0.0;
    double previousStep = 0.0;
    for (int iteration = 0; iteration < 100; ++iteration)
    {
        // Keep the root between b and c, b the better end.
        if ((fb > 0.0) == (fc > 0.0))
        {
            c = a;
            fc = fa;
            step = b - a;
            previousStep = step;
        }
        if (std::fabs(fc) < std::fabs(fb))
        {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tolerance = 2.0 * Epsilon * std::fabs(b) + 1e-16;
        const double half = 0.5 * (c - b);
        if (std::fabs(half) <= tolerance || fb == 0.0)
        {
            return b;
        }
        if (std::fabs(previousStep) >= tolerance && std::fabs(fa) > std::fabs(fb))
        {
            const double s = fb / fa;
            double p;
            double q;
            if (a == c)
            {
                // Secant.
                p = 2.0 * half * s;
                q = 1.0 - s;
            }
            else
            {
                // Inverse quadratic through a, b and c.
                const double qa = fa / fc;
                const double r = fb / fc;
                p = s * (2.0 * half * qa * (qa - r) - (b - a) * (r - 1.0));
                q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0.0)
            {
                q = -q;
            }
            p = std::fabs(p);
            if (2.0 * p < std::min(3.0 * half * q - std::fabs(tolerance * q), std::fabs(previousStep * q)))
            {
                previousStep = step;
                step = p / q;
            }
            else
            {
                step = half;
                previousStep = step;
            }
        }
        else
        {
            step = half;
            previousStep = step;
        }
        a = b;
        fa = fb;
        b += std::fabs(step) > tolerance ? step : std::copysign(tolerance, half);
        fb = g(b);
    }
    return b;
}

} // namespace

double RefractionOffset(double firstHeight, double secondHeight, double span, double firstSpeed,
                        double secondSpeed)
{
    if (span == 0.0)
    {
        return 0.0;
    }
    const double a = firstHeight;
    const double b = secondHeight;
    const double d = std::fabs(span);
    // The time is strictly convex in x and its slope, sin(first angle) / v1
    // - sin(second angle) / v2, runs from negative at 0 to positive at d:
    // Newton's steps from the straight line, kept inside the shrinking
    // bracket by bisection.
    double low = 0.0;
    double high = d;
    double x = d * a / (a + b);
    for (int iteration = 0; iteration < 100; ++iteration)
    {
        const double rest = d - x;
        const double first = std::sqrt(a * a + x * x);
        const double second = std::sqrt(b * b + rest * rest);
        const double slope = x / (firstSpeed * first) - rest / (secondSpeed * second);
        if (slope == 0.0)
        {
            break;
        }
        if (slope < 0.0)
        {
            low = x;
        }
        else
        {
            high = x;
        }
        const double curvature =
            a * a / (firstSpeed * first * first * first) + b * b / (secondSpeed * second * second * second);
        double next = x - slope / curvature;
        if (!(next > low && next < high))
        {
            next = 0.5 * (low + high);
        }
        const bool converged = std::fabs(next - x) <= 4.0 * Epsilon * d;
        x = next;
        if (converged || high - low <= 4.0 * Epsilon * d)
        {
            break;
        }
    }
    return span < 0.0 ? -x : x;
}

FermatCrossing::FermatCrossing(const SharedFace& face, const std::vector<SurfaceShape>& firstFaces,
                               const std::vector<SurfaceShape>& secondFaces, double firstSpeed,
                               double secondSpeed)
    : face(face), firstFaces(firstFaces), secondFaces(secondFaces), firstSpeed(firstSpeed),
      secondSpeed(secondSpeed)
{
    const SurfaceShape& shape = *face.shape;
    if (shape.kind != ShapeKind::Cylinder)
    {
        return;
    }
    origin = shape.origin;
    axis = shape.axis.Normalized();
    radius = shape.radius;
    firstInside = shape.outwardNormal;
    // Any direction across the axis will do; the coordinate axis least along
    // it keeps u well defined.
    const double ax = std::fabs(axis.X());
    const double ay = std::fabs(axis.Y());
    const double az = std::fabs(axis.Z());
    const Vector seed = ax <= ay && ax <= az ? Vector(1.0, 0.0, 0.0)
                        : ay <= az           ? Vector(0.0, 1.0, 0.0)
                                             : Vector(0.0, 0.0, 1.0);
    u = (seed - seed.Dot(axis) * axis).Normalized();
    w = axis.Cross(u);
}

FermatPath FermatCrossing::Solve(const Point& from, const Point& to, double& angleGuess) const
{
    Point crossing;
    const bool found = face.shape->kind == ShapeKind::Plane ? SolvePlane(from, to, crossing)
                                                            : SolveCylinder(from, to, angleGuess, crossing);
    return found ? Complete(from, to, crossing) : FermatPath();
}

bool FermatCrossing::SolvePlane(const Point& from, const Point& to, Point& crossing) const
{
    // The face's normal points out of the first solid, into the second.
    const Vector& normal = face.shape->plane->GetNormal();
    const double offset = face.shape->plane->GetOffset();
    const double firstHeight = -(normal.Dot(Vector(from.X(), from.Y(), from.Z())) + offset);
    const double secondHeight = normal.Dot(Vector(to.X(), to.Y(), to.Z())) + offset;
    if (!(firstHeight > 0.0 && secondHeight > 0.0))
    {
        return false;
    }
    // The crossing lies in the plane of incidence, on the segment between
    // the two points' feet on the plane.
    const Point fromFoot = from + firstHeight * normal;
    const Vector between = (to + (-secondHeight) * normal) - fromFoot;
    const double span = between.Length();
    const double offsetAlong = RefractionOffset(firstHeight, secondHeight, span, firstSpeed, secondSpeed);
    crossing = span > 0.0 ? fromFoot + (offsetAlong / span) * between : fromFoot;
    return true;
}

FermatCrossing::AxialPoint FermatCrossing::ToAxial(const Point& point) const
{
    const Vector offset = point - origin;
    const double along = offset.Dot(axis);
    const double across = offset.Dot(u);
    const double aside = offset.Dot(w);
    return AxialPoint{along, across, aside, std::sqrt(across * across + aside * aside)};
}

bool FermatCrossing::SolveCylinder(const Point& from, const Point& to, double& angleGuess,
                                   Point& crossing) const
{
    const AxialPoint first = ToAxial(from);
    const AxialPoint second = ToAxial(to);
    const AxialPoint& inside = firstInside ? first : second;
    const AxialPoint& outside = firstInside ? second : first;
    if (!(inside.radius < radius && outside.radius > radius))
    {
        return false;
    }
    // Only the arc the outside point sees can be crossed without meeting
    // the cylinder first; its ends are the tangents from that point. Angles
    // are counted from the middle of that arc.
    const double middle = std::atan2(outside.w, outside.u);
    const double halfArc = std::acos(radius / outside.radius);
    const double span = second.axial - first.axial;

    // For an angle about the axis, the best axial position is the plane's
    // problem along that generatrix; the time's slope with the angle is then
    // its partial derivative there.
    double offsetAlong = 0.0;
    const auto slope = [&](double angle)
    {
        const double c = std::cos(middle + angle);
        const double s = std::sin(middle + angle);
        const double du1 = radius * c - first.u;
        const double dw1 = radius * s - first.w;
        const double du2 = radius * c - second.u;
        const double dw2 = radius * s - second.w;
        const double firstHeight = std::sqrt(du1 * du1 + dw1 * dw1);
        const double secondHeight = std::sqrt(du2 * du2 + dw2 * dw2);
        offsetAlong = RefractionOffset(firstHeight, secondHeight, span, firstSpeed, secondSpeed);
        const double rest = span - offsetAlong;
        const double firstLength = std::sqrt(firstHeight * firstHeight + offsetAlong * offsetAlong);
        const double secondLength = std::sqrt(secondHeight * secondHeight + rest * rest);
        return radius * ((first.u * s - first.w * c) / (firstSpeed * firstLength) +
                         (second.u * s - second.w * c) / (secondSpeed * secondLength));
    };

    // Start from a nearby path's angle, or else where the straight line
    // between the points crosses the cylinder.
    double start = 0.0;
    if (std::isfinite(angleGuess))
    {
        start = std::remainder(angleGuess - middle, TwoPi);
    }
    else
    {
        // |outside + t (inside - outside)| = radius across the axis, for t in
        // ]0, 1[: the smaller root, the outside point being beyond.
        const double du = inside.u - outside.u;
        const double dw = inside.w - outside.w;
        double roots[2];
        const int count =
            Tessam::Geometry3D::QuadraticRoots(du * du + dw * dw, 2.0 * (outside.u * du + outside.w * dw),
                                               outside.radius * outside.radius - radius * radius, roots);
        if (count > 0)
        {
            const double t = count == 2 ? std::min(roots[0], roots[1]) : roots[0];
            start = std::remainder(std::atan2(outside.w + t * dw, outside.u + t * du) - middle, TwoPi);
        }
    }
    start = std::max(-halfArc, std::min(halfArc, start));

    // Walk downhill in steps that double until the slope changes sign; a
    // time that falls all the way to a tangent has no stationary point.
    double near = start;
    double slopeNear = slope(near);
    double root = near;
    if (slopeNear != 0.0)
    {
        const double direction = slopeNear < 0.0 ? 1.0 : -1.0;
        double step = halfArc / 32.0;
        for (;;)
        {
            const double far = std::max(-halfArc, std::min(halfArc, near + direction * step));
            if (far == near)
            {
                return false;
            }
            const double slopeFar = slope(far);
            if (slopeFar == 0.0)
            {
                root = far;
                break;
            }
            if ((slopeFar > 0.0) != (slopeNear > 0.0))
            {
                root = direction > 0.0 ? BracketedRoot(slope, near, far, slopeNear, slopeFar)
                                       : BracketedRoot(slope, far, near, slopeFar, slopeNear);
                break;
            }
            near = far;
            slopeNear = slopeFar;
            step *= 2.0;
        }
    }
    slope(root);
    const double angle = middle + root;
    angleGuess = angle;
    crossing =
        origin + (first.axial + offsetAlong) * axis + radius * (std::cos(angle) * u + std::sin(angle) * w);
    return true;
}

FermatPath FermatCrossing::Complete(const Point& from, const Point& to, const Point& crossing) const
{
    FermatPath path;
    path.crossing = crossing;
    const Vector firstLeg = crossing - from;
    const Vector secondLeg = to - crossing;
    // Millimetres over metres per second are milliseconds.
    path.time = 1000.0 * (firstLeg.Length() / firstSpeed + secondLeg.Length() / secondSpeed);
    const Vector normal = NormalAt(*face.shape, crossing);
    path.refractionAngle = std::atan2(secondLeg.Cross(normal).Length(), secondLeg.Dot(normal));

    const bool onCounterpart = std::any_of(face.counterparts.begin(), face.counterparts.end(),
                                           [&crossing](const SurfaceShape* counterpart)
                                           { return counterpart->surface->Contains(crossing); });
    if (!face.shape->surface->Contains(crossing) || !onCounterpart)
    {
        path.status = FocalPathStatus::OffInterface;
    }
    else if (!StaysInside(firstFaces, from, crossing))
    {
        path.status = FocalPathStatus::BlockedBeforeInterface;
    }
    else if (!StaysInside(secondFaces, crossing, to))
    {
        path.status = FocalPathStatus::BlockedAfterInterface;
    }
    else
    {
        path.status = FocalPathStatus::Valid;
    }
    return path;
}

} // namespace Quoria
