#include "trackbarstyle.h"

namespace tintora {

TrackBarStyle::TrackBarStyle(QStyle *base) : QProxyStyle(base) {}

int TrackBarStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                               const QWidget *widget) const
{
    if (metric == PM_SliderLength)
        return 10;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

}  // namespace tintora
