#pragma once
// How far apart an axis puts its labels. An increment is only the finest
// step allowed: when the labels would crowd, the step grows to a round
// multiple of it, so an axis over a billion iterations still shows a handful.

#include <QLocale>
#include <QString>

namespace axis_labels {

// How the axes write numbers: with the user's decimal separator, as every
// edit does, and with grouped digits, so millions of iterations stay readable.
QLocale numberLocale();
// A label as the axis writes it.
QString text(double value, int decimals);

// The smallest of increment × {1, 2, 5} × 10^k (k >= 0) that splits `span`
// into at most `room` gaps. An increment of 0 means any round step will do.
double interval(double span, double increment, int room);

// Digits after the decimal point that show multiples of `interval` exactly.
int decimals(double interval);

} // namespace axis_labels
