#pragma once
// Qt's painter misdraws (or silently drops) lines whose ends lie millions of
// pixels away, and cannot draw an infinite error at all. Before the drawn
// points reach Qt Charts they are pulled into a band a little larger than
// the visible area, keeping every visible part of the line exactly where it was.

#include <QList>
#include <QPointF>

struct Band {
    double xFrom, xTo, yFrom, yTo; // from < to on both axes
};

// Points with a finite X in increasing X order. Returns a line that looks the
// same inside the band and has every point inside or on its edge.
QList<QPointF> clipToBand(const QList<QPointF> &line, const Band &band);
