// A labelled slider with its number field, kept in step, for the dialogs' numeric settings.
#include "app/SliderField.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

namespace vorpel {

SliderField::SliderField(const QString& caption, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), Label(new QLabel(caption, this)), Slider(new QSlider(Qt::Horizontal, this)),
      Edit(new QSpinBox(this)) {
    Slider->setRange(minimum, maximum);
    Edit->setRange(minimum, maximum);
    Label->setBuddy(Edit);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Label, 0, 0, 1, 2);
    layout->addWidget(Slider, 1, 0);
    layout->addWidget(Edit, 1, 1);
    // Each part follows the other; the slider alone reports, so a change is told once.
    connect(Slider, &QSlider::valueChanged, Edit, &QSpinBox::setValue);
    connect(Edit, &QSpinBox::valueChanged, Slider, &QSlider::setValue);
    connect(Slider, &QSlider::valueChanged, this, &SliderField::valueChanged);
}

int SliderField::Value() const {
    return Slider->value();
}

void SliderField::SetValue(int value) {
    Slider->setValue(value);
}

} // namespace vorpel
