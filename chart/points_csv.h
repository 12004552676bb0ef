#pragma once
// The error graph's points as CSV text for a spreadsheet.

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QString>

// UTF-8 text: a row of the two column titles, then a row per point, its
// iteration (X, written as the whole number it is) and its error (the
// shortest decimal that reads back as the same float, in the user's decimal
// separator). Fields are separated by ';' where the decimal separator is a
// comma and by ',' otherwise, as spreadsheets in those locales expect; a
// title holding the separator, a quote or a line break is quoted. Rows end
// in "\r\n", as RFC 4180 has it: spreadsheets on every system read that, and
// one file then reads the same everywhere.
QByteArray pointsCsv(const QList<QPointF> &points, const QString &iterationTitle, const QString &errorTitle);
