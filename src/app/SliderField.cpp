// A labelled slider with its number field, kept in step, for the dialogs' numeric settings.
#include "app/SliderField.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

namespace vorpel {

SliderField::SliderField(const QString& caption, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), label(new QLabel(caption, this)), slider(new QSlider(Qt::Horizontal, this)),
      spinBox(new QSpinBox(this)) {
    slider->setRange(minimum, maximum);
    spinBox->setRange(minimum, maximum);
    label->setBuddy(spinBox);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(slider, 1, 0);
    layout->addWidget(spinBox, 1, 1);
    // Each part follows the other; the slider alone reports, so a change is told once.
    connect(slider, &QSlider::valueChanged, spinBox, &QSpinBox::setValue);
    connect(spinBox, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    connect(slider, &QSlider::valueChanged, this, &SliderField::valueChanged);
}

int SliderField::Value() const {
    return slider->value();
}

void SliderField::SetValue(int value) {
    slider->setValue(value);
}

void SliderField::SetRange(int minimum, int maximum) {
    slider->setRange(minimum, maximum);
    spinBox->setRange(minimum, maximum);
}

} // namespace vorpel
