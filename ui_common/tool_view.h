#pragma once
// A view in a tool window of its own beside the main window (the decision
// view, the worked step), which tells when it shows or hides so that the
// entry opening it can keep its mark.

#include <QWidget>

class QAction;

class ToolView : public QWidget {
    Q_OBJECT
public:
    explicit ToolView(QWidget *owner) : QWidget(owner, Qt::Tool) {}

    // The entry that opens and closes the view: its key closes the view
    // while it has the focus, and its mark follows the view.
    void bindToggle(QAction *toggle);

signals:
    void visibilityChanged(bool visible);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

    QAction *toggleAction() const { return toggle; }

private:
    QAction *toggle = nullptr; // owned by the owner
};
