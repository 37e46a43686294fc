// The transparency slider's 10-pixel thumb.
#pragma once

#include <QProxyStyle>

namespace tintora {

// The transparency slider's thumb is 10 pixels long, whatever the base style's own length.
class SliderThumbStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit SliderThumbStyle(QStyle *base);

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override;
};

}  // namespace tintora
