#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace tintora::test {

// What a program printed (standard output and error together) and how it ended; -1 when it
// could not be started or did not end normally.
struct ToolRun {
    int exitCode = -1;
    QString output;
};

inline ToolRun RunTool(const QString &program, const QStringList &arguments,
                       const QProcessEnvironment &environment =
                           QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return {-1, program + QStringLiteral(" cannot be started; ./tintora.sh installs it")};
    process.waitForFinished(300000);
    const QString output = QString::fromUtf8(process.readAll());
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, output};
}

inline bool HaveTool(const QString &name)
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}

}  // namespace tintora::test
