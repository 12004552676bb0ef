#include "workbench/view_docks.h"

#include "ui_common/dock_plan.h"
#include "ui_common/side_view.h"

#include <QCoreApplication>
#include <QDockWidget>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTabBar>
#include <algorithm>

namespace {

// Where the arrangement a user chose is kept between runs.
const QString settingsName = QStringLiteral("tivaro");
const QString arrangementKey = QStringLiteral("views/arrangement");
const QString byHandKey = QStringLiteral("views/byHand");

// The client area the window's screen leaves it.
QSize roomFor(const QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return window->size();
    const QSize frame = window->frameGeometry().size() - window->size();
    return screen->availableGeometry().size() - frame;
}

} // namespace

ViewDocks::ViewDocks(QMainWindow *window) : window(window), central(window->centralWidget())
{
}

QDockWidget *ViewDocks::addDock(const QString &name)
{
    auto *dock = new QDockWidget(window); // the window owns it
    dock->setObjectName(name);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    window->addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    dock->installEventFilter(this);
    const auto placedByUser = [this] {
        if (!arranging)
            byHand = true;
    };
    connect(dock, &QDockWidget::dockLocationChanged, this, placedByUser);
    connect(dock, &QDockWidget::topLevelChanged, this, placedByUser);
    docks.push_back(dock);
    return dock;
}

void ViewDocks::restoreArrangement()
{
    const QSettings remembered(settingsName, settingsName);
    if (!remembered.value(byHandKey).toBool())
        return;
    arranging = true;
    byHand = window->restoreState(remembered.value(arrangementKey).toByteArray());
    for (QDockWidget *dock : docks)
        dock->hide(); // every view starts closed
    arranging = false;
}

void ViewDocks::saveArrangement() const
{
    QSettings remembered(settingsName, settingsName);
    remembered.setValue(byHandKey, byHand);
    if (byHand)
        remembered.setValue(arrangementKey, window->saveState());
    else
        remembered.remove(arrangementKey);
}

void ViewDocks::retranslate()
{
    // A dock names its buttons whenever its style changes, and at no change
    // of language.
    for (QDockWidget *dock : docks) {
        QEvent styleChange(QEvent::StyleChange);
        QCoreApplication::sendEvent(dock, &styleChange);
    }
}

bool ViewDocks::isOpen(const QDockWidget *dock) const
{
    return std::find(opened.begin(), opened.end(), dock) != opened.end();
}

void ViewDocks::open(QDockWidget *dock)
{
    if (isOpen(dock))
        return;
    // In the order the docks were added, whichever opened first.
    std::vector<QDockWidget *> nowOpen;
    for (QDockWidget *each : docks)
        if (each == dock || isOpen(each))
            nowOpen.push_back(each);
    opened = nowOpen;
    dock->show();
    dock->raise();
    if (byHand)
        keepOnScreen();
    else
        arrange();
}

void ViewDocks::close(QDockWidget *dock)
{
    if (isOpen(dock))
        dock->close(); // the event filter sees it go
}

bool ViewDocks::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close) {
        auto *dock = static_cast<QDockWidget *>(watched);
        if (isOpen(dock))
            closed(dock);
    }
    return QObject::eventFilter(watched, event);
}

void ViewDocks::closed(QDockWidget *dock)
{
    opened.erase(std::find(opened.begin(), opened.end(), dock));
    dock->hide();
    if (closedHandler)
        closedHandler(dock);
    if (!byHand)
        arrange();
    else if (opened.empty())
        shrinkToOwnContent();
}

ViewNeed ViewDocks::needOf(const QDockWidget *dock) const
{
    if (const auto *view = dynamic_cast<const SideView *>(dock->widget()))
        return view->need();
    return {0, 0, [](int) { return 0; }};
}

void ViewDocks::arrange()
{
    if (opened.empty()) {
        shrinkToOwnContent();
        return;
    }
    std::vector<ViewNeed> needs;
    for (const QDockWidget *dock : opened)
        needs.push_back(needOf(dock));
    const DockChrome chrome = chromeAround(opened.front());
    place(planDocks(roomFor(window), central->minimumSize(), needs, chrome), chrome);
    keepOnScreen();
}

void ViewDocks::shrinkToOwnContent()
{
    window->layout()->activate(); // the closed docks leave the layout first
    window->resize(central->minimumSize());
}

DockChrome ViewDocks::chromeAround(QDockWidget *dock) const
{
    DockChrome chrome;
    const QDockWidget::DockWidgetFeatures features = dock->features();
    const QSize content = dock->widget() ? dock->widget()->sizeHint() : QSize();
    dock->setFeatures(features & ~QDockWidget::DockWidgetVerticalTitleBar);
    chrome.beside = dock->sizeHint() - content;
    dock->setFeatures(features | QDockWidget::DockWidgetVerticalTitleBar);
    chrome.below = dock->sizeHint() - content;
    dock->setFeatures(features);
    chrome.splitter = window->style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, window);
    chrome.tabBar = QTabBar().sizeHint().height();
    return chrome;
}

void ViewDocks::place(const DockPlan &plan, const DockChrome &chrome)
{
    arranging = true;
    const bool beside = plan.where == DockPlan::Where::Beside;
    const Qt::DockWidgetArea area = beside ? Qt::RightDockWidgetArea : Qt::BottomDockWidgetArea;
    const Qt::Orientation along = beside ? Qt::Vertical : Qt::Horizontal;
    const QSize around = beside ? chrome.beside : chrome.below;
    QList<QDockWidget *> placed;
    QList<int> widths, heights;
    for (std::size_t i = 0; i < opened.size(); ++i) {
        QDockWidget *dock = opened[i];
        dock->setFloating(false);
        // Below the window, the title runs down the side: the height is the
        // views'.
        dock->setFeatures(beside ? dock->features() & ~QDockWidget::DockWidgetVerticalTitleBar
                                 : dock->features() | QDockWidget::DockWidgetVerticalTitleBar);
        window->addDockWidget(area, dock, along);
        dock->show();
        placed.append(dock);
        widths.append(plan.viewSizes[i].width() + around.width());
        heights.append(plan.viewSizes[i].height() + around.height());
    }
    if (plan.tabbed) {
        for (qsizetype i = 1; i < placed.size(); ++i)
            window->tabifyDockWidget(placed.front(), placed[i]);
        placed.front()->raise();
    }
    // The window takes the docks' new places before it is sized for them.
    window->layout()->activate();
    window->resize(plan.window);
    window->layout()->activate();
    window->resizeDocks(placed, widths, Qt::Horizontal);
    window->resizeDocks(placed, heights, Qt::Vertical);
    arranging = false;
}

void ViewDocks::keepOnScreen()
{
    window->layout()->activate();
    const QSize room = roomFor(window);
    const QSize least = window->minimumSize();
    if (least.width() > room.width() || least.height() > room.height()) {
        if (byHand) {
            // The remembered arrangement does not fit this screen.
            byHand = false;
            arrange();
            return;
        }
    }
    window->resize(window->size().expandedTo(least).boundedTo(room.expandedTo(least)));
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    QPoint place = frame.topLeft();
    place.setX(std::max(available.left(), std::min(place.x(), available.right() + 1 - frame.width())));
    place.setY(std::max(available.top(), std::min(place.y(), available.bottom() + 1 - frame.height())));
    if (place != frame.topLeft())
        window->move(place);
}
