#pragma once
// A lesson saved to a file and opened again (Ctrl+S, Ctrl+O, the diagram's
// and the chart's menus, a file dropped on the window, the command line),
// and the chart's errors saved as CSV. Saving takes the whole lesson from
// the window; opening checks the whole file first and gives the window all
// of it or nothing.

#include "workbench/lesson_file.h"
#include "workbench/window_context.h"

#include <QObject>
#include <functional>

class BiasInput;
class ErrorGraphSwitch;
class NeuronPanel;
class QAction;
class SideViews;

// A QObject only to end its connections with it.
class LessonFiles : public QObject {
public:
    LessonFiles(WindowContext &context, NeuronPanel &panel, BiasInput &bias, ErrorGraphSwitch &errorGraph,
                SideViews &views, std::function<void()> applyLanguage);

    QAction *saveLessonAction() const { return saveEntry; }
    QAction *openLessonAction() const { return openEntry; }
    QAction *saveErrorsAction() const { return errorsEntry; }

    // Both raise AppError, in the chosen language, naming the file and the
    // reason. A file already there stays as it was when saving fails; the
    // window stays as it was when opening does. Saving adds ".tivaro" to a
    // name without it.
    void saveLesson(const QString &path) const { saveLesson(path, lessonShown()); }
    void openLesson(const QString &path);
    // The points the chart keeps, as CSV with a header in the chosen language.
    void saveErrors(const QString &path) const;

    LessonFile lessonShown() const;
    // `lesson` is one that lessonFromJson gave: it fits the window whole.
    void show(const LessonFile &lesson);

    // The entries in the chosen language.
    void retitle();

private:
    QAction *addEntry(const QKeySequence &key, void (LessonFiles::*ask)());
    void saveLesson(QString path, const LessonFile &lesson) const;
    void askToSaveLesson();
    void askToOpenLesson();
    void askToSaveErrors();
    void showWindowState(const LessonFile &lesson);

    WindowContext &context;
    NeuronPanel &panel;
    BiasInput &bias;
    ErrorGraphSwitch &errorGraph;
    SideViews &views;
    std::function<void()> applyLanguage;
    QAction *saveEntry;   // owned by the window
    QAction *openEntry;   // owned by the window
    QAction *errorsEntry; // owned by the window
};
