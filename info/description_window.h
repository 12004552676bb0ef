#pragma once
// The description window: explains the learning rule in the interface
// language. It keeps nothing: every opening rebuilds its texts.

#include "ui_common/language.h"

#include <QDialog>
#include <cstdint>
#include <memory>

namespace Ui {
class DescriptionWindow;
}

class DescriptionWindow : public QDialog {
    Q_OBJECT
public:
    DescriptionWindow(Language language, QWidget *parent);
    ~DescriptionWindow() override;

    Ui::DescriptionWindow &controls() { return *ui; }
    // Read at the next opening.
    void setLanguage(Language chosen) { language = chosen; }

    // Shows the window maximised; returns when it is closed. Its owner must
    // hold its own window meanwhile (ActionHold), as a modal one would be.
    void showModally();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Every opening writes the texts afresh in the language chosen.
    void fillTexts();
    void closeDescription();

    std::unique_ptr<Ui::DescriptionWindow> ui;
    Language language;
};
