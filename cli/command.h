#pragma once

#include <QStringList>

#include <functional>

namespace tintora::cli {

// One sub-command of tintora-cli. Each command's file registers itself.
struct Command {
    const char *name;
    const char *usage;  // lines for --help
    std::function<int(const QStringList &args)> run;
    // The exit status when the command cannot run at all; check, as diff and grep, keeps 1
    // for its finding.
    int cannotRun = 1;
};

struct Registration {
    explicit Registration(Command command);
};

}  // namespace tintora::cli
