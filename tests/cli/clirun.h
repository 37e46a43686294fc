// Runs the tintora-cli program under test.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

namespace tintora::test {

struct CliRun {
    int exitCode = -1;  // -1 when it crashed
    QString out;
    QString err;
};

inline CliRun RunCli(const QStringList &args,
                     const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(TINTORA_CLI_PATH, args);
    EXPECT_TRUE(process.waitForFinished(60000)) << "tintora-cli did not finish";
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace tintora::test
