#pragma once
// The picture of the neuron, drawn stretched over the whole control.

#include <QImage>
#include <QWidget>

class DiagramImage : public QWidget {
    Q_OBJECT
public:
    explicit DiagramImage(QWidget *parent = nullptr);
    const QImage &picture() const { return image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage image;
};
