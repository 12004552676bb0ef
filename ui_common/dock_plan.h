#pragma once
// Where the views beside the main window go, so that with all of them open
// they cover nothing of the window and nothing of each other, and each
// shows its whole content: in a column beside the window where the screen
// has room for it, else side by side below it, else sharing one pane as
// tabs (on screens smaller than the ones schools have).

#include <QSize>

#include <functional>
#include <vector>

// What one view needs to show its whole content.
struct ViewNeed {
    int leastWidth = 0;
    int preferredWidth = 0;
    std::function<int(int width)> heightAt; // the least height at that width
    int preferredHeight = 0;                // where the screen has room for more
};

// What a dock and the window add around the views: a dock's own frame and
// title bar (beside the window the title runs across the top, below it
// down the side, to leave the height to the views), the splitter between
// two docks, a tab bar.
struct DockChrome {
    QSize beside;
    QSize below;
    int splitter = 0;
    int tabBar = 0;
};

struct DockPlan {
    enum class Where { Beside, Below };
    Where where = Where::Beside;
    bool tabbed = false;
    std::vector<QSize> viewSizes; // each view's size, in the order given
    QSize window;                 // the window's client area
    bool fits = false;            // false: the best there is, still too large
};

// `room`: the client area the screen leaves the window; `central`: the
// window's own content, which never shrinks.
DockPlan planDocks(QSize room, QSize central, const std::vector<ViewNeed> &views, const DockChrome &chrome);
