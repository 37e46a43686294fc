#pragma once

#include "scripteddialogs.h"

#include "phone/commandcontext.h"
#include "phone/loadedphonelibrary.h"
#include "ui/interfacelanguage.h"
#include "ui/wording.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tintora::test {

inline const QString kPhonePath = QStringLiteral("/a/mobile/system/spcolor.sch");

// A fresh folder plays the phone for each test; the library is loaded the way
// the program loads it, with TINTORA_P2KAPI naming the simulator.
class SimulatedPhoneTest : public ::testing::Test {
protected:
    SimulatedPhoneTest()
    {
        qputenv("TINTORA_P2KAPI", TINTORA_P2KSIM_PATH);
        qputenv("P2KSIM_ROOT", QFile::encodeName(root.path()));
        QDir(root.path()).mkpath(QStringLiteral("a/mobile/system"));
    }
    ~SimulatedPhoneTest() override
    {
        qunsetenv("P2KSIM_ROOT");
        qunsetenv("TINTORA_P2KAPI");
    }

    static LoadedPhoneLibrary &library()
    {
        static LoadedPhoneLibrary loaded;
        return loaded;
    }

    QString file(const QString &name) const { return root.filePath(name); }
    void put(const QString &name, const QByteArray &content) const
    {
        QDir(root.path()).mkpath(QFileInfo(file(name)).path());
        QFile out(file(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
    }
    QByteArray get(const QString &name) const
    {
        QFile in(file(name));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    // calls.log without its status polls, or with them.
    QStringList calls(bool withStatus = false) const
    {
        QStringList lines = QString::fromUtf8(get(QStringLiteral("calls.log")))
                                .split(u'\n', Qt::SkipEmptyParts);
        if (!withStatus)
            lines.removeAll(QStringLiteral("P2K_GetStatus"));
        return lines;
    }
    bool restarted() const { return QFile::exists(file(QStringLiteral("restarted"))); }

    // The commands' words in the interface language of code ("en", "ru"), installed from here on.
    CommandContext context(const char *code = "en")
    {
        translation.use(QString::fromLatin1(code));
        return {library(), scheme, dialogs, words};
    }

    InterfaceTranslation translation;
    const InterfaceCommandWords words{};

    QTemporaryDir root;
    ScriptedDialogs dialogs;
    ColourScheme scheme;
};

}  // namespace tintora::test
