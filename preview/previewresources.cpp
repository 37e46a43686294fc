#include "previewresources.h"

#include <QtCore/qglobal.h>

// The registration function lives outside any namespace.
static void RegisterAssets()
{
    Q_INIT_RESOURCE(tintora_assets);
}

namespace tintora {

void EnsurePreviewResources()
{
    static const bool registered = (RegisterAssets(), true);
    Q_UNUSED(registered);
}

}  // namespace tintora
