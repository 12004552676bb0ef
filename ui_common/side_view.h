#pragma once
// A view beside the main window (the decision view, the worked step), shown
// in a dock of the window. It knows the entry that opens and closes it: the
// entry's key works while the view has the focus, also while it floats, and
// the view's own menu offers the entry.

#include "ui_common/dock_plan.h"

#include <QList>
#include <QWidget>

class QAction;
class QLabel;

class SideView : public QWidget {
public:
    explicit SideView(QWidget *parent = nullptr) : QWidget(parent) {}

    void setToggle(QAction *toggle);
    QAction *toggleAction() const { return toggle; }

    // What the view needs to show its whole content.
    virtual ViewNeed need() const = 0;

protected:
    // Keeps the wrapped text of `label` whole at the width it has, now and
    // whenever the view is resized. A dock asks its view for no height at a
    // width, and a layout guesses a wrapped label's least height at a width
    // of its own; so the label states the height its lines take.
    void keepWhole(QLabel *label);
    void resizeEvent(QResizeEvent *event) override;
    // The height the wrapped text of `label` takes at `width`.
    static int wrappedHeight(const QLabel *label, int width);

private:
    QAction *toggle = nullptr; // owned by the owner
    QList<QLabel *> wholeLabels;
};
