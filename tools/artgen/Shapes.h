#pragma once
// Signed distance functions of the shapes the artwork is built from (pixels, negative
// inside). Angles are degrees clockwise from twelve o'clock, as a knob's pointer turns.
#include "tools/artgen/Canvas.h"

namespace artgen {

Distance Circle(double cx, double cy, double radius);
Distance RoundRect(double left, double top, double right, double bottom, double radius);
// A line of the given width with round ends.
Distance Capsule(double x0, double y0, double x1, double y1, double width);
// A stroke along a circle from one angle to a larger one, with round ends.
Distance Arc(double cx, double cy, double radius, double width, double fromDegrees, double toDegrees);
Distance Triangle(double x0, double y0, double x1, double y1, double x2, double y2);
Distance Intersect(Distance a, Distance b);
Distance Subtract(Distance a, Distance b);
// A shape whose edge is spread over `softness` pixels (shadows and glows).
Distance Soften(Distance shape, double softness);

// The point at `radius` from the centre in the direction of the angle.
void PointAt(double cx, double cy, double radius, double degrees, double& x, double& y);

// Paints: a vertical gradient between two rows, and a plain colour.
Paint VerticalGradient(double top, Colour topColour, double bottom, Colour bottomColour);
Paint Solid(Colour colour);

}  // namespace artgen
