#include "ui_common/dock_plan.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace {

int widest(const std::vector<ViewNeed> &views, int ViewNeed::*width)
{
    int most = 0;
    for (const ViewNeed &view : views)
        most = std::max(most, view.*width);
    return most;
}

// Each view at `width`, and the height of the docks holding them: one above
// the other, or one pane of tabs.
int placeViews(DockPlan &plan, const std::vector<ViewNeed> &views, int width, const DockChrome &chrome, bool stacked)
{
    int total = 0;
    for (const ViewNeed &view : views) {
        const int height = view.heightAt(width);
        plan.viewSizes.emplace_back(width, height);
        total = stacked ? total + height + chrome.beside.height() : std::max(total, height + chrome.beside.height());
    }
    if (stacked)
        return total + chrome.splitter * int(views.size() - 1);
    return total + chrome.tabBar;
}

bool within(QSize size, QSize room)
{
    return size.width() <= room.width() && size.height() <= room.height();
}

// A column beside the window's content, as wide as the widest view prefers
// where the screen has room, never narrower than the widest least width.
DockPlan beside(QSize room, QSize central, const std::vector<ViewNeed> &views, const DockChrome &chrome, bool tabbed)
{
    DockPlan plan{DockPlan::Where::Beside, tabbed, {}, {}, true};
    const int left = room.width() - central.width() - chrome.splitter - chrome.beside.width();
    const int least = widest(views, &ViewNeed::leastWidth);
    const int width = std::max(least, std::min(left, widest(views, &ViewNeed::preferredWidth)));
    const int height = placeViews(plan, views, width, chrome, !tabbed);
    plan.window =
        QSize(central.width() + chrome.splitter + chrome.beside.width() + width, std::max(central.height(), height));
    plan.fits = width <= left && within(plan.window, room);
    return plan;
}

// A band below the window's content, the views side by side in it (or as
// tabs), sharing the window's width evenly; as high as the views prefer
// where the screen has room.
DockPlan below(QSize room, QSize central, const std::vector<ViewNeed> &views, const DockChrome &chrome, bool tabbed)
{
    DockPlan plan{DockPlan::Where::Below, tabbed, {}, {}, true};
    const int panes = tabbed ? 1 : int(views.size());
    const int around = chrome.below.width() * panes + chrome.splitter * (panes - 1);
    const int preferredWidth = tabbed
        ? widest(views, &ViewNeed::preferredWidth)
        : std::accumulate(views.begin(), views.end(), 0,
                          [](int sum, const ViewNeed &view) { return sum + view.preferredWidth; });
    const int windowWidth = std::max(central.width(), std::min(room.width(), preferredWidth + around));
    const int width = (windowWidth - around) / panes;
    int least = 0, preferredHeight = 0;
    for (const ViewNeed &view : views) {
        least = std::max(least, view.heightAt(width));
        preferredHeight = std::max(preferredHeight, view.preferredHeight);
        plan.fits = plan.fits && width >= view.leastWidth;
    }
    const int extra = chrome.below.height() + (tabbed ? chrome.tabBar : 0);
    const int left = room.height() - central.height() - chrome.splitter - extra;
    const int height = std::max(least, std::min(left, preferredHeight));
    for (std::size_t i = 0; i < views.size(); ++i)
        plan.viewSizes.emplace_back(width, height);
    plan.window = QSize(windowWidth, central.height() + chrome.splitter + extra + height);
    plan.fits = plan.fits && within(plan.window, room);
    return plan;
}

// How far a window of `size` reaches beyond the room, as an area.
int64_t overflow(QSize size, QSize room)
{
    const int64_t width = std::max(size.width(), room.width());
    const int64_t height = std::max(size.height(), room.height());
    return width * height - int64_t(room.width()) * room.height();
}

} // namespace

DockPlan planDocks(QSize room, QSize central, const std::vector<ViewNeed> &views, const DockChrome &chrome)
{
    if (views.empty())
        return {DockPlan::Where::Beside, false, {}, central, within(central, room)};
    std::vector<DockPlan> plans = {beside(room, central, views, chrome, false),
                                   below(room, central, views, chrome, false)};
    if (views.size() > 1) {
        plans.push_back(beside(room, central, views, chrome, true));
        plans.push_back(below(room, central, views, chrome, true));
    }
    for (const DockPlan &plan : plans)
        if (plan.fits)
            return plan;
    return *std::min_element(plans.begin(), plans.end(), [room](const DockPlan &a, const DockPlan &b) {
        return overflow(a.window, room) < overflow(b.window, room);
    });
}
