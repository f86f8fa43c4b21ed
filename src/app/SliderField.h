// A labelled slider with its number field, kept in step, for the dialogs' numeric settings.
#pragma once

#include <QWidget>

class QLabel;
class QSlider;
class QSpinBox;

namespace vorpel {

class SliderField : public QWidget {
    Q_OBJECT
public:
    SliderField(const QString& caption, int minimum, int maximum, QWidget* parent = nullptr);

    int Value() const;
    // Sets both parts; valueChanged follows only when the value changes.
    void SetValue(int value);
    // Sets both parts' range; a value outside it is brought inside.
    void SetRange(int minimum, int maximum);

    QLabel* label;
    QSlider* slider;
    QSpinBox* spinBox;

Q_SIGNALS:
    void valueChanged(int value);
};

} // namespace vorpel
