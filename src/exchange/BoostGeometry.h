// Boost.Geometry, for the solid check: polygons in drawing millimetres. Boost is slow to
// compile, so one source file of ours includes this.
#pragma once

// GCC 12 sees a maybe-uninitialized value inside Boost's overlay after inlining (a false
// alarm in its rescale policy); the warning is silenced for Boost's code alone.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <boost/geometry.hpp>
#include <boost/geometry/algorithms/point_on_surface.hpp>
#pragma GCC diagnostic pop

namespace geo {

namespace bg = boost::geometry;

using Point = bg::model::d2::point_xy<double>;
using Polygon = bg::model::polygon<Point>;  // clockwise, closed
using Shape = bg::model::multi_polygon<Polygon>;

}  // namespace geo
