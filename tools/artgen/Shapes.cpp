#include "tools/artgen/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace artgen {

namespace {
double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

double SegmentDistance(double px, double py, double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double lengthSquared = dx * dx + dy * dy;
    const double t = lengthSquared > 0.0 ? std::clamp(((px - x0) * dx + (py - y0) * dy) / lengthSquared, 0.0, 1.0) : 0.0;
    return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}
}  // namespace

void PointAt(double cx, double cy, double radius, double degrees, double& x, double& y) {
    x = cx + radius * std::sin(Radians(degrees));
    y = cy - radius * std::cos(Radians(degrees));
}

Distance Circle(double cx, double cy, double radius) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - radius; };
}

Distance RoundRect(double left, double top, double right, double bottom, double radius) {
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
    return [=](double x, double y) {
        const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

Distance Capsule(double x0, double y0, double x1, double y1, double width) {
    return [=](double x, double y) { return SegmentDistance(x, y, x0, y0, x1, y1) - width / 2; };
}

Distance Arc(double cx, double cy, double radius, double width, double fromDegrees, double toDegrees) {
    double ax, ay, bx, by;
    PointAt(cx, cy, radius, fromDegrees, ax, ay);
    PointAt(cx, cy, radius, toDegrees, bx, by);
    return [=](double x, double y) {
        const double angle = std::atan2(x - cx, cy - y) * 180.0 / std::numbers::pi;
        const bool inside = (angle >= fromDegrees && angle <= toDegrees) ||
                            (angle + 360.0 >= fromDegrees && angle + 360.0 <= toDegrees) ||
                            (angle - 360.0 >= fromDegrees && angle - 360.0 <= toDegrees);
        if (inside) return std::abs(std::hypot(x - cx, y - cy) - radius) - width / 2;
        return std::min(std::hypot(x - ax, y - ay), std::hypot(x - bx, y - by)) - width / 2;
    };
}

Distance Triangle(double x0, double y0, double x1, double y1, double x2, double y2) {
    // Orientation-independent: negative inside when all three edge half-planes agree.
    const double area = (x1 - x0) * (y2 - y0) - (y1 - y0) * (x2 - x0);
    const double sign = area < 0 ? -1.0 : 1.0;
    return [=](double x, double y) {
        const double edges[3][4] = {{x0, y0, x1, y1}, {x1, y1, x2, y2}, {x2, y2, x0, y0}};
        double nearest = 1e9;
        bool inside = true;
        for (const auto& e : edges) {
            nearest = std::min(nearest, SegmentDistance(x, y, e[0], e[1], e[2], e[3]));
            const double cross = (e[2] - e[0]) * (y - e[1]) - (e[3] - e[1]) * (x - e[0]);
            if (cross * sign < 0) inside = false;
        }
        return inside ? -nearest : nearest;
    };
}

Distance Intersect(Distance a, Distance b) {
    return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}

Distance Subtract(Distance a, Distance b) {
    return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

Distance Soften(Distance shape, double softness) {
    // The canvas resolves an edge over a quarter pixel; scaling the distance widens it.
    return [=](double x, double y) { return shape(x, y) / (softness * 4.0); };
}

Paint VerticalGradient(double top, Colour topColour, double bottom, Colour bottomColour) {
    return [=](double, double y) { return Mix(topColour, bottomColour, (y - top) / (bottom - top)); };
}

Paint Solid(Colour colour) {
    return [=](double, double) { return colour; };
}

}  // namespace artgen
