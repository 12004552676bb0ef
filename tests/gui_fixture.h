#pragma once
// Drives the real main window as a user would, with the message boxes
// replaced by a recorder so nothing blocks.

#include "gui_main.h"
#include "runtime/number_text.h"
#include "runtime/random.h"
#include "ui_common/report.h"
#include "ui_main_window.h"
#include "workbench/main_window.h"
#include "workbench/side_views.h"
#include "workbench/window_context.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QStringList>
#include <memory>

struct ReportRecorder {
    QStringList errors;
    QStringList notices;
    QStringList captions;

    ReportRecorder()
    {
        report::setSink([this](report::Kind kind, const QString &caption, const QString &text) {
            (kind == report::Kind::Error ? errors : notices).append(text);
            captions.append(caption);
        });
    }
    ~ReportRecorder() { report::setSink({}); }

    QString takeError() { return errors.isEmpty() ? QString() : errors.takeFirst(); }
};

class Workbench {
public:
    explicit Workbench(QChar separator = u',', uint32_t clockTicks = 4242)
    {
        numtext::setDecimalSeparator(separator);
        clock_source::setTicksSource([clockTicks] { return clockTicks; });
        form = std::make_unique<MainWindow>();
    }
    ~Workbench() { clock_source::setTicksSource({}); }

    MainWindow &window() { return *form; }
    Ui::MainWindow &c() { return form->controls(); }
    LessonSession &state() { return form->session(); }
    const BiasControls &bias() const { return form->biasControls(); }
    Neuron &neuron() { return form->session().neuron(); }

    // A user replacing the whole text of an edit (as by paste).
    void type(QLineEdit *edit, const QString &text) { edit->setText(text); }
    void click(QAbstractButton *button) { button->click(); }

    ReportRecorder reports;

private:
    std::unique_ptr<MainWindow> form;
};
