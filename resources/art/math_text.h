#pragma once
// Just enough typesetting for the diagram's formulas: text with sub- and
// superscripts, a summation sign with limits, and a tall curly brace.

#include <QFont>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QString>

enum class Script { Base, Sub, Super };

struct TextRun {
    QString text;
    Script script = Script::Base;
    bool italic = false;
};

using Runs = QList<TextRun>;

// Draws the runs left to right from a baseline point; returns the width used.
qreal drawRuns(QPainter &painter, QPointF baselineStart, const Runs &runs, const QFont &font);
qreal runsWidth(const Runs &runs, const QFont &font);

// A summation sign with its limits centred above and below.
// Returns the width used.
qreal drawSum(QPainter &painter, QPointF baselineStart, const QString &lower, const QString &upper, const QFont &font);
qreal sumWidth(const QString &lower, const QString &upper, const QFont &font);

// A left curly brace filling the vertical span [top, bottom] at x.
void drawLeftBrace(QPainter &painter, qreal x, qreal top, qreal bottom, qreal width);
