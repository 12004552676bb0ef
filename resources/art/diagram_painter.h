#pragma once
// The neuron diagram shown above the training controls: inputs and bias,
// their weights, the summing node, the activation function and the output,
// with the step rule written out at the upper right.

#include <QImage>
#include <QString>

struct DiagramFonts {
    QString words; // labels and captions
    QString maths; // formulas (needs Greek capital sigma)
};

inline constexpr int diagramWidth = 395;
inline constexpr int diagramHeight = 210;

QImage drawDiagram(const DiagramFonts &fonts);
