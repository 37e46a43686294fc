#include "failure.h"

#include <QTextStream>

namespace tintora::cli {

void Warn(const QString &message)
{
    QTextStream(stderr) << "tintora-cli: " << message << '\n';
}

int Fail(const QString &message, int status)
{
    Warn(message);
    return status;
}

int UsageError(const char *usage, int status)
{
    return Fail(QStringLiteral("wrong arguments; usage:\n%1").arg(QString::fromUtf8(usage)), status);
}

}  // namespace tintora::cli
