// The transparency slider's 10-pixel thumb.
#include "sliderthumbstyle.h"

namespace tintora {

SliderThumbStyle::SliderThumbStyle(QStyle *base) : QProxyStyle(base) {}

int SliderThumbStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                               const QWidget *widget) const
{
    if (metric == PM_SliderLength)
        return 10;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

}  // namespace tintora
