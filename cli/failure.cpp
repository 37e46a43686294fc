#include "failure.h"

#include <QTextStream>

namespace tintora::cli {

void Warn(const QString &message)
{
    QTextStream(stderr) << "tintora-cli: " << message << '\n';
}

int Fail(const QString &message)
{
    Warn(message);
    return 1;
}

int UsageError(const char *usage)
{
    return Fail(QStringLiteral("wrong arguments; usage:\n%1").arg(QString::fromUtf8(usage)));
}

}  // namespace tintora::cli
