#include "workbench/accessible_names.h"

#include <QLabel>
#include <QWidget>

namespace {

struct EditLabel {
    const char *edit;
    const char *label;
};

// Which label names which edit.
constexpr EditLabel editLabels[] = {
    {"in1Edit", "in1Lab"},
    {"in2Edit", "in2Lab"},
    {"weight1Edit", "w1Lab"},
    {"weight2Edit", "w2Lab"},
    {"outputEdit", "outputLab"},
    {"thresholdEdit", "thresholdLab"},
    {"lRateEdit", "learningRateLab"},
    {"repeatEdit", "repeatLab"},
    {"lessonCntEdit", "lesonDoneLab"},
    {"targetMemo", "targetLab"},
    {"biasEdit", "biasLab"},
    {"weight0Edit", "weight0Lab"},
};

} // namespace

void nameControlsForScreenReaders(QWidget *window)
{
    for (const EditLabel &pair : editLabels) {
        auto *edit = window->findChild<QWidget *>(QString::fromLatin1(pair.edit));
        auto *label = window->findChild<QLabel *>(QString::fromLatin1(pair.label));
        if (!edit || !label)
            continue;
        label->setBuddy(edit);
        edit->setAccessibleName(label->text().simplified());
    }
}
