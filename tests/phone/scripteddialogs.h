#pragma once

#include "phone/dialogs.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace tintora::test {

// Records everything the commands show and answers from a script. An answer
// the script does not hold fails the test.
class ScriptedDialogs : public Dialogs {
public:
    enum Kind { Inform, Error, Question, OpenFile, SaveFile };
    struct Shown {
        Kind kind;
        QString text;  // message, question or dialog title
        QString filter;
        QString initialName;
    };

    std::vector<Shown> shown;
    std::deque<QString> files;  // file dialog answers; an empty one cancels
    std::deque<bool> answers;   // Yes is true

    void inform(const QString &text) override { shown.push_back({Inform, text, {}, {}}); }
    void reportError(const QString &text) override { shown.push_back({Error, text, {}, {}}); }
    bool askYesNo(const QString &text) override
    {
        shown.push_back({Question, text, {}, {}});
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString chooseOpenFile(const QString &title, const QString &filter) override
    {
        shown.push_back({OpenFile, title, filter, {}});
        return nextFile();
    }
    QString chooseSaveFile(const QString &title, const QString &filter,
                           const QString &initialName) override
    {
        shown.push_back({SaveFile, title, filter, initialName});
        return nextFile();
    }

    QStringList texts(Kind kind) const
    {
        QStringList result;
        for (const Shown &item : shown) {
            if (item.kind == kind)
                result << item.text;
        }
        return result;
    }
    std::vector<Kind> kinds() const
    {
        std::vector<Kind> result;
        for (const Shown &item : shown)
            result.push_back(item.kind);
        return result;
    }

private:
    QString nextFile()
    {
        if (files.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return {};
        }
        QString file = files.front();
        files.pop_front();
        return file;
    }
};

}  // namespace tintora::test
