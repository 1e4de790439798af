// Angle math and small numeric helpers shared by every game screen.
//
// Angles are in degrees, 0 along +x and growing clockwise on screen (y grows
// downward): 90 is straight down, 270 straight up.
#pragma once

#include <array>

// Sines of 0.00 to 360.00 degrees in steps of 0.01 degree.
inline constexpr int kSineTableSize = 36001;
extern std::array<double, kSineTableSize> SineTable;

// Fills SineTable. Called once at start-up, before any angle is used.
void BuildSineTable();

// Sine and cosine by table, to 0.01 degree, rounding toward the lower entry.
// An angle that is not a finite number gives the value for 0.
double SinDeg(double deg);
double CosDeg(double deg);

// The angle wrapped into [0, 360]; 360 itself stays 360, and so does any
// positive multiple of 360. A non-finite angle gives 0.
float NormaliseAngle(float a);

// The arctangent in degrees (radians * 360 / 2 pi), in [-90, 90].
float AtanDeg(float v);

// Direction of point 2 seen from point 1, relative to heading, in (0, 360]
// (a target dead ahead gives 360). Coincident points give -1.
float RelativeBearing(float x1, float y1, float x2, float y2, float heading);

// Euclidean distance between two points, as a 32-bit float: two positions,
// or two velocities for the speed of one relative to the other.
float Distance(float x1, float y1, float x2, float y2);

// a / b, or 0 when b is 0 (or not a number).
float SafeDivide(float a, float b);

float AbsFloat(float x);

// Truncation toward zero. Values beyond the int range saturate; NaN gives 0.
int FloatToInt(float x);
