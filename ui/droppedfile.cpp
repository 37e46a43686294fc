// What a drag onto the window carries: a scheme file, a background picture or nothing of use.
#include "droppedfile.h"

#include "preview/anypicture.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace tintora {

DroppedFile DroppedFile::From(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("sch"))
        return {Scheme, path};
    if (BackgroundPictureSuffixes().contains(suffix))
        return {Picture, path};
    return {};
}

}  // namespace tintora
