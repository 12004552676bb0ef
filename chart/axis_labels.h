#pragma once
// How far apart an axis puts its labels. An increment is only the finest
// step allowed: when the labels would crowd, the step grows to a round
// multiple of it, so an axis over a billion iterations still shows a handful.

namespace axis_labels {

// The smallest of increment × {1, 2, 5} × 10^k (k >= 0) that splits `span`
// into at most `room` gaps. An increment of 0 means any round step will do.
double interval(double span, double increment, int room);

// Digits after the decimal point that show multiples of `interval` exactly.
int decimals(double interval);

}
